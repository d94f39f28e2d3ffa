#include "filters/RLXLSXRepeatedHeader.h"

#include "pages/RLGraphicObjects.h"

#include <algorithm>
#include <limits>

void TRLXLSXRepeatedHeader::SetFirstPage(const std::vector<TRLXLSPlacedText>& texts)
{
    m_firstPage.clear();
    for (const TRLXLSPlacedText& text : texts)
        m_firstPage.insert(KeyOf(text));
}

void TRLXLSXRepeatedHeader::DropRepeated(std::vector<TRLXLSPlacedText>& texts) const
{
    int headerEnd = std::numeric_limits<int>::max();
    for (const TRLXLSPlacedText& text : texts) {
        if (!m_firstPage.contains(KeyOf(text)))
            headerEnd = std::min(headerEnd, text.Object->BoundsRect.Top);
    }
    if (headerEnd == std::numeric_limits<int>::max())
        return;
    std::erase_if(
        texts, [headerEnd](const TRLXLSPlacedText& text) { return text.Object->BoundsRect.Top < headerEnd; });
}

TRLXLSXRepeatedHeader::TPlacedKey TRLXLSXRepeatedHeader::KeyOf(const TRLXLSPlacedText& text)
{
    const TRect& bounds = text.Object->BoundsRect;
    return { bounds.Left, bounds.Top, bounds.Right, bounds.Bottom, text.Text };
}
