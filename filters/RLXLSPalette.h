#pragma once

#include "platform/Color.h"

#include <array>
#include <vector>

/// The workbook's 56 colours, starting from the format's default palette. A colour missing from
/// it takes the first slot that holds neither a basic colour nor a colour already used.
class TRLXLSPalette {
public:
    static constexpr int kColorCount = 56;
    /// Records refer to palette entry i as i + 8.
    static constexpr int kFirstIndex = 8;

    TRLXLSPalette();

    /// The colour's index as FONT and XF records take it (position + 8); records it as used.
    /// System colours are resolved first. With no free slot the index is that of entry 1.
    int ColorIndex(TColor color);
    /// Whether a slot was overwritten, so that the workbook writes its palette.
    bool Modified() const { return m_modified; }
    /// RGB as the platform holds it (red lowest).
    TColor Colors(int index) const { return m_colors.at(std::size_t(index)); }

private:
    int RecordColor(TColor color);

    std::array<TColor, kColorCount> m_colors;
    std::vector<TColor> m_used;
    bool m_modified = false;
    /// Cells mostly repeat the colour asked for last.
    TColor m_lastColor = 0;
    int m_lastIndex = 0;
};
