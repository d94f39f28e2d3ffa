#pragma once

#include <QString>
#include <QStringList>

/// What a run of quirel left: its exit code and its messages.
struct TQuirelRun {
    int exitCode = -1;
    QString err;
};

/// Runs quirel as a script does, with no display, in the Brazilian locale, in `workDir`; messages in
/// `messages`.
TQuirelRun RunQuirel(const QStringList& arguments, const QString& workDir,
    const QString& messages = QStringLiteral("pt_BR.UTF-8"));

/// pdftotext's text of a PDF, each line with its runs of blanks made one; empty lines dropped.
QStringList PdfLines(const QString& pdf);
