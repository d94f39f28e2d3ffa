#pragma once

#include <QByteArrayView>

/// The picture bytes of a stored graphic blob. The engine stores a graphic as an 8-byte header (16-bit
/// count 1, 16-bit kind 0x0100, 32-bit length of the rest, little-endian) followed by the bitmap file;
/// the header is skipped only when all three parts match, otherwise the blob is returned whole.
QByteArrayView GraphicPayload(QByteArrayView blob);
