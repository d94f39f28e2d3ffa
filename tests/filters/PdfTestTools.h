#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

/// The file's lines, split at CR LF (a lone LF is kept inside its line, so a bad line end shows).
QList<QByteArray> PdfLines(const QByteArray& bytes);
/// True when `expected` appears as consecutive lines of `lines`.
bool ContainsLines(const QList<QByteArray>& lines, const QList<QByteArray>& expected);
/// How often the line occurs.
int CountLines(const QList<QByteArray>& lines, const QByteArray& line);
/// The standard output of a tool, or nothing when it is not installed; fails the test when the
/// tool exits with an error.
std::optional<QString> RunTool(const QString& program, const QStringList& arguments);
