#pragma once

#include <QByteArray>
#include <QString>
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

    /// The font objects, in table order: the fourteen standard names as Type1 fonts, every other
    /// face as a TrueType font with widths and a descriptor measured from the installed font.
    void WriteFonts(TRLPDFWriter& writer) const;

private:
    struct TEntry {
        QString FaceName;
        int StyleBits = 0;
        int ObjectNumber = 0;
    };
    void WriteTrueTypeFont(
        TRLPDFWriter& writer, int index, const TEntry& entry, const QByteArray& name) const;

    std::vector<TEntry> m_entries;
};

/// The face name without spaces, as PDF names it; delimiters and bytes outside 33..126 as #xx.
QByteArray PdfFontName(const QString& faceName);
/// True for the fourteen standard names, compared without regard to letter case.
bool IsStandardPdfFont(const QByteArray& name);
