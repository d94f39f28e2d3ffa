#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

/// Windows-1252 bytes of the text; a character the code page lacks becomes '?'.
QByteArray ToWindows1252(QStringView text);
/// The text of Windows-1252 bytes; the five unassigned bytes map to the same code points.
QString FromWindows1252(QByteArrayView bytes);
