#pragma once

#include "platform/Graphics.h"

#include <QByteArray>
#include <QString>

/// An installed face cut down to the glyphs of some characters, ready to embed in a PDF.
struct TRLFontSubset {
    /// A whole TrueType file (for /FontFile2), or for a CFF face the bare CFF table (for
    /// /FontFile3 of subtype Type1C), whose glyphs keep their names.
    QByteArray Data;
    bool Cff = false;
    /// The PostScript name the face gives itself.
    QByteArray PostScriptName;
    /// The file the glyphs come from.
    QString FilePath;
};

/// Subsets, with HarfBuzz, the first file that fontconfig offers for the family and style and
/// that holds TrueType or CFF outlines: a Type 1 file (which HarfBuzz cannot read) gives way to
/// the next match. The subset keeps a Unicode cmap for the characters. Throws EReportError
/// naming the face when no file can be subset.
TRLFontSubset SubsetInstalledFont(const QString& family, TFontStyles style, const QString& characters);
