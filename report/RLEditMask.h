#pragma once

#include <QString>
#include <QStringView>

/// `value` through an edit mask "mask[;keepLiterals[;blank]]": 0 9 # L l A a C c take the next
/// character of the value (the blank character, "_" by default, when it runs out), > and <
/// switch to upper and lower case and <> back, \ makes the next character literal, ! is
/// accepted and ignored, anything else is a literal. With keepLiterals "1" (the default) the
/// value holds the literals at their places and each one skips a character of it; with "0"
/// the literals are inserted.
QString FormatMaskText(QStringView editMask, QStringView value);
