#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

/// The text as Windows-1252 bytes, the 8-bit text of page records, page files and PDF strings;
/// a character the code page lacks becomes "?" (a surrogate pair, one "?").
QByteArray ToWindows1252(QStringView text);
/// The same into `out`, which has room for text.size() bytes; returns the bytes written.
qsizetype ToWindows1252(QStringView text, char* out);
/// Windows-1252 bytes as text; the five bytes the code page leaves undefined map to the
/// control characters of the same number, so that every byte survives a round trip.
QString FromWindows1252(QByteArrayView bytes);
