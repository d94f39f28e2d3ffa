#pragma once

#include "pages/RLFontMetrics.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <memory>
#include <vector>

class TRLPDFWriter;

/// The fonts a PDF document uses: one entry per face name (letter case ignored) and style bits
/// (1 bold, 2 italic, 4 underline, 8 strike-out), each with the object number reserved for it.
class TRLPDFFontTable {
public:
    /// The 1-based index of the face and style, appended (reserving its object) when new.
    int Register(const QString& faceName, int styleBits, TRLPDFWriter& writer);
    int Count() const { return int(m_entries.size()); }
    int ObjectNumber(int index) const { return m_entries.at(std::size_t(index - 1)).ObjectNumber; }
    void Clear() { m_entries.clear(); }

    /// The metrics of the font as the file describes it (a standard font without its style),
    /// measured once per document: from the face's TrueType tables, or by the font engine for a
    /// face without them (Type 1).
    const TRLFontMetrics& Metrics(int index);
    /// Dots at 96 per inch, rounded up, that the Windows-1252 `bytes` advance in font `index` at
    /// `pointSize`, by the same widths a reader takes from the file.
    int TextWidth(int index, QByteArrayView bytes, int pointSize);
    /// Dots, rounded up, that the font reaches below the baseline at `pointSize`.
    int DescentDots(int index, int pointSize);

    /// The font objects, in table order: the fourteen standard names as Type1 fonts, every other
    /// face as a TrueType font with widths and a descriptor measured from the installed font.
    void WriteFonts(TRLPDFWriter& writer);

private:
    struct TEntry {
        QString FaceName;
        int StyleBits = 0;
        int ObjectNumber = 0;
        QByteArray PdfName;
        bool Standard = false;
        std::unique_ptr<TRLFontMetrics> Metrics;
    };
    void WriteTrueTypeFont(TRLPDFWriter& writer, int index, TEntry& entry);

    std::vector<TEntry> m_entries;
};

/// The face name without spaces, as PDF names it; delimiters and bytes outside 33..126 as #xx.
QByteArray PdfFontName(const QString& faceName);
/// True for the fourteen standard names, compared without regard to letter case.
bool IsStandardPdfFont(const QByteArray& name);
