#include "filters/RLXLSGrid.h"

#include "filters/RLXLSWorksheet.h"
#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicSurface.h"
#include "pages/RLRendering.h"
#include "platform/Canvas.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <limits>
#include <optional>
#include <set>

namespace {

/// Width units are dots * 381 / 10, exactly.
constexpr qint64 kWidthUnitsPer10Dots = 381;
constexpr qint64 kDotsPerWidthStep = 10;
constexpr int kLastColumn = kXLSSheetColumns - 1;

/// Right and left edges of right-aligned texts, in dots.
using TRightAlignedEdges = std::set<std::pair<int, int>>;

/// Title and amounts share a column.
int ColumnLeft(const TRightAlignedEdges& rightAligned, const TRect& bounds)
{
    constexpr int kNear = int(kXLSMinRowHeight);
    std::optional<int> nearest;
    for (auto edge = rightAligned.lower_bound({ bounds.Right - kNear + 1, std::numeric_limits<int>::min() });
         edge != rightAligned.end() && edge->first < bounds.Right + kNear; ++edge) {
        if (edge->second < bounds.Left + kNear && (!nearest || edge->second > *nearest))
            nearest = edge->second;
    }
    return nearest.value_or(bounds.Left);
}

quint8 HorizontalCode(TRLMetaTextAlignment alignment)
{
    switch (alignment) {
    case TRLMetaTextAlignment::Right:
        return kXLSAlignRight;
    case TRLMetaTextAlignment::Center:
        return kXLSAlignCenter;
    case TRLMetaTextAlignment::Justify:
        return kXLSAlignJustify;
    case TRLMetaTextAlignment::Left:
        break;
    }
    return kXLSAlignLeft;
}

/// The stored layout has three codes; a fourth (vertical justify) maps to its cell code too.
quint8 VerticalCode(TRLMetaTextLayout layout)
{
    constexpr int kLayoutJustify = 4;
    switch (int(layout)) {
    case int(TRLMetaTextLayout::Bottom):
        return kXLSAlignBottom;
    case int(TRLMetaTextLayout::Center):
        return kXLSAlignVCenter;
    case kLayoutJustify:
        return kXLSAlignVJustify;
    default:
        return kXLSAlignTop;
    }
}

/// The cells a span covers: the first edge at or after its start, and the last before the first
/// edge at or after its end less the minimum size; never before the first.
std::pair<int, int> SpanCells(const TRLXLSEdgeList& edges, qint64 start, qint64 end, qint64 minimum)
{
    const int first = edges.FirstAtOrAfter(start);
    const int after = edges.FirstAtOrAfter(end - minimum, first);
    return { first, std::max(first, after - 1) };
}

} // namespace

bool TRLXLSEdgeList::Insert(qint64 position, qint64 size)
{
    const auto place = std::lower_bound(m_edges.begin(), m_edges.end(), position,
        [](const TEdge& edge, qint64 value) { return edge.Position < value; });
    if (place != m_edges.end() && place->Position == position) {
        place->Size = std::max(place->Size, size);
        return true;
    }
    if (m_edges.size() >= std::size_t(kCapacity))
        return false;
    m_edges.insert(place, TEdge { position, size });
    return true;
}

void TRLXLSEdgeList::Tile()
{
    for (std::size_t i = 0; i + 1 < m_edges.size(); ++i)
        m_edges[i].Size = m_edges[i + 1].Position - m_edges[i].Position;
}

void TRLXLSEdgeList::Thin(qint64 minimum)
{
    for (std::size_t i = m_edges.size(); i-- > 0;) {
        if (m_edges[i].Size >= minimum)
            continue;
        if (i > 0 && i + 1 < m_edges.size())
            m_edges[i - 1].Size = m_edges[i + 1].Position - m_edges[i - 1].Position;
        m_edges.erase(m_edges.begin() + qsizetype(i));
    }
}

int TRLXLSEdgeList::FirstAtOrAfter(qint64 position, int from) const
{
    const auto start = m_edges.begin() + std::clamp(from, 0, Count());
    const auto found = std::lower_bound(start, m_edges.end(), position,
        [](const TEdge& edge, qint64 value) { return edge.Position < value; });
    return int(found - m_edges.begin());
}

qint64 DotsToXLSWidth(qint64 dots)
{
    const qint64 scaled = dots * kWidthUnitsPer10Dots;
    qint64 quotient = scaled / kDotsPerWidthStep;
    qint64 remainder = scaled % kDotsPerWidthStep;
    if (remainder < 0) {
        --quotient;
        remainder += kDotsPerWidthStep;
    }
    const qint64 twice = 2 * remainder;
    if (twice > kDotsPerWidthStep || (twice == kDotsPerWidthStep && (quotient & 1) != 0))
        ++quotient;
    return quotient;
}

std::vector<TRLXLSPlacedText> PlacedTexts(const TRLGraphicSurface& page)
{
    std::vector<TRLXLSPlacedText> texts;
    TRightAlignedEdges rightAligned;
    for (int i = 0; i < page.ObjectCount(); ++i) {
        const auto* text = dynamic_cast<const TRLTextObject*>(page.Objects(i));
        if (!text)
            continue;
        QString shown = text->DisplayText();
        if (shown.isEmpty())
            continue;
        texts.push_back({ text, std::move(shown) });
        if (text->Alignment == TRLMetaTextAlignment::Right)
            rightAligned.insert({ text->BoundsRect.Right, text->BoundsRect.Left });
    }
    for (TRLXLSPlacedText& placed : texts)
        placed.ColumnLeft = ColumnLeft(rightAligned, placed.Object->BoundsRect);
    return texts;
}

void AddColumnEdges(TRLXLSEdgeList& columns, const std::vector<TRLXLSPlacedText>& texts)
{
    for (const TRLXLSPlacedText& placed : texts) {
        const qint64 left = DotsToXLSWidth(placed.ColumnLeft);
        columns.Insert(left, DotsToXLSWidth(placed.Object->BoundsRect.Right) - left);
    }
}

void AddRowEdges(TRLXLSEdgeList& rows, const std::vector<TRLXLSPlacedText>& texts)
{
    for (const TRLXLSPlacedText& placed : texts) {
        const TRect& bounds = placed.Object->BoundsRect;
        rows.Insert(bounds.Top, qint64(bounds.Bottom) - bounds.Top);
    }
}

void FinishColumnEdges(TRLXLSEdgeList& columns)
{
    columns.Tile();
    columns.Thin(kXLSMinColumnWidth);
}

void FinishRowEdges(TRLXLSEdgeList& rows)
{
    rows.Tile();
    rows.Thin(kXLSMinRowHeight);
}

void PlaceTexts(TRLXLSWorksheet& sheet, const std::vector<TRLXLSPlacedText>& texts,
    const TRLXLSEdgeList& columns, const TRLXLSEdgeList& rows)
{
    // The font goes through a canvas as drawing does, so that the cell shows the drawn size.
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    TCanvas canvas(painter);
    for (const TRLXLSPlacedText& placed : texts) {
        const TRect& bounds = placed.Object->BoundsRect;
        auto [firstColumn, lastColumn] = SpanCells(
            columns, DotsToXLSWidth(placed.ColumnLeft), DotsToXLSWidth(bounds.Right), kXLSMinColumnWidth);
        const auto [firstRow, lastRow] = SpanCells(rows, bounds.Top, bounds.Bottom, kXLSMinRowHeight);
        firstColumn = std::min(firstColumn, kLastColumn);
        lastColumn = std::min(lastColumn, kLastColumn);
        TRLXLSRange& range = *sheet.FindRange(firstColumn, firstRow, lastColumn, lastRow, true);
        if (!range.Value().isEmpty()) {
            // Another text starts in this cell: both stay, in page order, the first one's font.
            if (range.Value() != placed.Text)
                sheet.SetValue(range, range.Value() + QLatin1Char(' ') + placed.Text);
            continue;
        }
        sheet.SetValue(range, placed.Text);
        ToCanvasFont(placed.Object->Font, canvas, 1.0);
        range.Font = canvas.Font;
        range.HorizontalAlignment = HorizontalCode(placed.Object->Alignment);
        range.VerticalAlignment = VerticalCode(placed.Object->Layout);
    }
}

void FillWorksheet(TRLXLSWorksheet& sheet, const TRLGraphicSurface& page)
{
    const std::vector<TRLXLSPlacedText> texts = PlacedTexts(page);
    TRLXLSEdgeList columns;
    TRLXLSEdgeList rows;
    AddColumnEdges(columns, texts);
    AddRowEdges(rows, texts);
    FinishColumnEdges(columns);
    FinishRowEdges(rows);
    // Columns past the format's last one are not made; their texts share the last column.
    for (int i = 0; i < std::min(columns.Count(), kXLSSheetColumns); ++i)
        sheet.FindCol(i, true)->Width = columns[i].Size;
    for (int i = 0; i < rows.Count(); ++i)
        sheet.FindRow(i, true)->Height = rows[i].Size;
    PlaceTexts(sheet, texts, columns, rows);
}
