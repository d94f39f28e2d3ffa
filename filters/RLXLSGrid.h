#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

class TRLGraphicSurface;
class TRLTextObject;
class TRLXLSWorksheet;

/// The left (or top) edges of a page's texts, sorted by position, with a fixed capacity.
class TRLXLSEdgeList {
public:
    static constexpr int kCapacity = 1023;

    struct TEdge {
        qint64 Position = 0;
        qint64 Size = 0;
    };

    /// Keeps the list sorted; an equal position keeps the larger size. A new position when the
    /// list is full is dropped (false): its texts fall into the next edge at or after them.
    bool Insert(qint64 position, qint64 size);
    /// Every entry but the last reaches the next one's position.
    void Tile();
    /// From the last entry to the first, removes entries narrower than `minimum`; one removed
    /// between two others widens the one before it to reach the next.
    void Thin(qint64 minimum);
    /// The first entry from `from` on whose position is at least `position`; Count() when none.
    int FirstAtOrAfter(qint64 position, int from = 0) const;

    int Count() const { return int(m_edges.size()); }
    const TEdge& operator[](int index) const { return m_edges.at(std::size_t(index)); }

private:
    std::vector<TEdge> m_edges;
};

/// Width units per 10 dots: dots * 1440 * 2.54 / 96.
constexpr qint64 kXLSMinColumnWidth = 381;
/// Rows closer than this many dots share one.
constexpr qint64 kXLSMinRowHeight = 10;

/// Dots to column width units (dots * 1440 * 2.54 / 96), rounded half to even.
qint64 DotsToXLSWidth(qint64 dots);

/// A text of a page as the grid places it.
struct TRLXLSPlacedText {
    const TRLTextObject* Object = nullptr;
    /// The text as shown, never empty.
    QString Text;
    /// In dots: the left edge of the column the text starts in.
    int ColumnLeft = 0;
};

/// The page's texts with something to show, in page order. A text ending where right-aligned
/// texts end, within 10 dots (a column title over a column of amounts), starts in the column of
/// the nearest of them that starts left of it; any other text in the column of its own left edge.
std::vector<TRLXLSPlacedText> PlacedTexts(const TRLGraphicSurface& page);
/// Inserts each text's column span (width units) and row span (dots).
void AddColumnEdges(TRLXLSEdgeList& columns, const std::vector<TRLXLSPlacedText>& texts);
void AddRowEdges(TRLXLSEdgeList& rows, const std::vector<TRLXLSPlacedText>& texts);
/// Tiles and thins the lists into the grid's columns and rows.
void FinishColumnEdges(TRLXLSEdgeList& columns);
void FinishRowEdges(TRLXLSEdgeList& rows);
/// One range per text on the finished grid, holding its value, font and alignment; see
/// FillWorksheet. Adds no columns or rows to the sheet.
void PlaceTexts(TRLXLSWorksheet& sheet, const std::vector<TRLXLSPlacedText>& texts,
    const TRLXLSEdgeList& columns, const TRLXLSEdgeList& rows);

/// Adds the columns, rows and ranges of the page's texts to the sheet: one column per distinct
/// left edge, one row per distinct top edge (after merging those closer than 10 dots), and one
/// range per text holding its value, font and alignment. Texts that start in one cell share it,
/// joined by a blank; a text that only meets another's cells shares them out with it (see
/// TRLXLSWorksheet::FindRange). Other objects are dropped.
void FillWorksheet(TRLXLSWorksheet& sheet, const TRLGraphicSurface& page);
