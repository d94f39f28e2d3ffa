#pragma once

#include <QByteArray>
#include <QStringView>
#include <optional>

/// The text as PDFDocEncoding bytes, the 8-bit encoding of a PDF text string (the document
/// information); nothing when a character has no code there.
std::optional<QByteArray> ToPdfDocEncoding(QStringView text);

/// The bytes of a PDF text string, before escaping: PDFDocEncoding when every character has a
/// code there, otherwise the byte order mark FE FF and the text in UTF-16BE, so that a viewer
/// reads every character as written.
QByteArray PdfTextStringBytes(QStringView text);
