#pragma once

#include <QByteArray>
#include <QString>

class TParadoxReader;

/// The table's structure as lines of text: version, code page, record count, fields with type and size.
QString DumpStructure(const TParadoxReader& table);

/// The table as one JSON object: version, codepage, fields, records. Text is UTF-8, dates
/// "YYYY-MM-DD", times "HH:MM:SS.mmm", timestamps "YYYY-MM-DDTHH:MM:SS.mmm", binary values base64,
/// NULL null. Throws EReportError when a value cannot be read.
QByteArray DumpJson(const TParadoxReader& table);
