#pragma once

#include "pages/RLFontMetrics.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <bitset>
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
    /// Records the Windows-1252 codes a text shows in font `index`, the glyphs an embedded
    /// subset must hold.
    void NoteShown(int index, QByteArrayView bytes);

    /// The font objects, in table order: the fourteen standard names as Type1 fonts, every other
    /// face as a TrueType font with widths and a descriptor measured from the installed font.
    void WriteFonts(TRLPDFWriter& writer);
    /// The font objects with every face embedded as a subset of the glyphs shown (a TrueType
    /// face as /FontFile2, a CFF face as Type1C in /FontFile3) under the same widths and the
    /// WinAnsi encoding, so that content streams read the same; streams Flate-compressed. The
    /// standard names are embedded too, from the faces fontconfig serves for them.
    void WriteEmbeddedFonts(TRLPDFWriter& writer);

private:
    struct TEntry {
        QString FaceName;
        int StyleBits = 0;
        int ObjectNumber = 0;
        QByteArray PdfName;
        bool Standard = false;
        std::unique_ptr<TRLFontMetrics> Metrics;
        std::bitset<256> Shown;
    };
    /// What an embedded font adds to the dictionaries: its subtype, name and font file.
    struct TEmbedding {
        QByteArrayView Subtype;
        QByteArray BaseFont;
        QByteArrayView FontFileKey;
        int FontFileObject = 0;
    };
    /// The font dictionary with widths and its descriptor; `embedding` null for a face left to
    /// the reader.
    void WriteDescribedFont(TRLPDFWriter& writer, int index, TEntry& entry, const TEmbedding* embedding);
    void WriteEmbeddedFont(TRLPDFWriter& writer, int index, TEntry& entry);

    std::vector<TEntry> m_entries;
};

/// The face name without spaces, as PDF names it; delimiters and bytes outside 33..126 as #xx.
QByteArray PdfFontName(const QString& faceName);
/// True for the fourteen standard names, compared without regard to letter case.
bool IsStandardPdfFont(const QByteArray& name);
