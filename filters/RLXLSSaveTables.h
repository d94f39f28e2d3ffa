#pragma once

#include "filters/RLXLSPalette.h"
#include "platform/Graphics.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <array>
#include <unordered_map>
#include <vector>

class TRLXLSRange;

/// Fonts are equal in every field: face, height, style, character set, colour and pitch.
std::size_t qHash(const TFont& font, std::size_t seed = 0);

struct TRLXLSFontEntry {
    TFont Font;
    /// Palette index + 8.
    int ColorIndex = 0;
};

struct TRLXLSFormatEntry {
    quint16 Index = 0;
    QString Text;
};

/// What the workbook's globals list and the sheets refer to by index, gathered sheet by sheet and
/// range by range while the sheets are written: palette, fonts, number formats and cell formats.
class TRLXLSSaveTables {
public:
    /// Style formats before the first cell format.
    static constexpr int kStyleFormatCount = 15;
    /// Every cell format before the first range's; it is the default cell format.
    static constexpr int kFirstCellFormat = kStyleFormatCount;
    /// Data bytes of a cell format (XF) record.
    static constexpr std::size_t kCellFormatSize = 20;

    TRLXLSSaveTables();

    TRLXLSPalette Palette;

    /// The index a cell format gives the font: its list position + 1 (FONT index 4 does not exist
    /// in the format). Appended when missing.
    quint16 FontIndex(const TFont& font);
    /// 0 for an empty text; otherwise the fixed entry or the one added for it.
    quint16 FormatIndex(const QString& format);
    /// The range's cell format bytes, then its index (list position + 15), appended when new.
    quint16 CellFormatIndex(const TRLXLSRange& range);

    const std::vector<TRLXLSFontEntry>& Fonts() const { return m_fonts; }
    const std::vector<TRLXLSFormatEntry>& Formats() const { return m_formats; }
    /// 20 bytes each, without the record header; the default cell format first.
    const std::vector<QByteArray>& CellFormats() const { return m_cellFormats; }

private:
    using TCellFormatBytes = std::array<char, kCellFormatSize>;
    struct TCellFormatHash {
        std::size_t operator()(const TCellFormatBytes& bytes) const;
    };

    TCellFormatBytes CellFormatBytes(const TRLXLSRange& range);

    std::vector<TRLXLSFontEntry> m_fonts;
    QHash<TFont, quint16> m_fontIndexes;
    /// Neighbouring cells mostly share a font: the last one found is tried first.
    TFont m_lastFont;
    quint16 m_lastFontIndex = 0;
    std::vector<TRLXLSFormatEntry> m_formats;
    int m_addedFormats = 0;
    std::vector<QByteArray> m_cellFormats;
    std::unordered_map<TCellFormatBytes, quint16, TCellFormatHash> m_cellFormatIndexes;
};
