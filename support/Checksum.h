#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

/// CRC-16 (polynomial 0x1021, initial 0) over the Windows-1252 bytes of the text, in the
/// unaugmented form where each byte enters after the table step: "" gives 0, "a" 0x0061,
/// "abc" 0x1EE4. The PDF writer uses it to recognise an image it has already written.
quint16 StringChecksum16(QStringView text);
