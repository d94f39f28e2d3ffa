#pragma once

#include <QImage>
#include <QStringView>

/// A bitmap kept as hexadecimal text: pairs of digits (either case, high digit first; a trailing
/// odd digit is ignored) giving a 32-bit little-endian length and then a Windows bitmap file of
/// that length. Throws EReportError naming the fault for a bad digit, a short or overlong length
/// or data that is not a bitmap.
QImage BitmapFromHex(QStringView text);
