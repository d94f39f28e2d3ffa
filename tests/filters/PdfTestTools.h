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
/// tool exits with an error. `environment` adds "NAME=value" entries to the test's own.
std::optional<QString> RunTool(
    const QString& program, const QStringList& arguments, const QStringList& environment = {});

/// One font as pdffonts lists it.
struct TPdfFontRow {
    QString Name;
    QString Type;
    bool Embedded = false;
    bool Subset = false;
};
/// The fonts of a PDF file, by pdffonts (poppler-utils); fails the test when it cannot run.
QList<TPdfFontRow> PdfFonts(const QString& fileName);

/// The environment of a machine with no font at all installed: fontconfig reads a configuration
/// in `workDir` that names one empty font folder, so a reader finds only the fonts a PDF embeds.
QStringList NoFontsEnvironment(const QString& workDir);

/// How far the renderings of one page of two PDFs differ, both by pdftoppm at 50 dpi.
struct TRenderDifference {
    /// Share of pixels, 0 to 1, whose colour differs by more than a quarter in some channel.
    double DifferingShare = 1;
    /// Mean absolute difference per channel, 0 to 255.
    double MeanDifference = 255;
    /// The renderings, kept in `workDir` for a person to look at.
    QString FirstImage;
    QString SecondImage;
};
/// Renders page `page` (1-based) of `first` in the test's own environment and of `second` in
/// `secondEnvironment`, into `workDir`, and compares the pictures; fails the test when a
/// rendering is missing or the sizes differ.
TRenderDifference CompareRenderings(const QString& first, const QString& second, int page,
    const QString& workDir, const QStringList& secondEnvironment = {});
