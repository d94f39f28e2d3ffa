#include "filters/RLXLSWorksheet.h"

#include "filters/RLXLSErrors.h"
#include "filters/RLXLSWorkbook.h"
#include "support/FormatSettings.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

constexpr QStringView kDefaultFontName = u"Arial";
constexpr int kDefaultFontSize = 10;

constexpr auto ByFirstColumn = [](const auto& entry, int column) { return entry.FirstColumn < column; };

QString NormalizeLineBreaks(const QString& text)
{
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QString value = text;
    value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    value.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return value;
}

} // namespace

bool TRLXLSCellArea::Intersects(const TRLXLSCellArea& other) const
{
    return FirstColumn <= other.LastColumn && other.FirstColumn <= LastColumn && FirstRow <= other.LastRow
        && other.FirstRow <= LastRow;
}

TFont DefaultXLSFont()
{
    // Made once: every range starts with it.
    static const TFont kDefault = [] {
        TFont font;
        font.Name = kDefaultFontName.toString();
        font.SetSize(kDefaultFontSize);
        font.Color = clBlack;
        return font;
    }();
    return kDefault;
}

TRLXLSRange::TRLXLSRange(TRLXLSWorksheet& worksheet, const TRLXLSCellArea& area)
    : Font(DefaultXLSFont())
    , m_worksheet(worksheet)
    , m_area(area)
{
}

TRLXLSWorksheet::TRLXLSWorksheet(TRLXLSWorkbook& workbook, const QString& title)
    : m_workbook(workbook)
{
    SetTitle(title);
}

void TRLXLSWorksheet::SetTitle(const QString& title)
{
    m_title = title.left(kMaxTitleLength).trimmed();
}

TRLXLSCol* TRLXLSWorksheet::FindCol(int index, bool create)
{
    const auto found = m_cols.find(index);
    if (found != m_cols.end())
        return &found->second;
    if (!create)
        return nullptr;
    TRLXLSCol& col = m_cols[index];
    col.Index = index;
    Widen({ index, -1, index, -1 });
    return &col;
}

TRLXLSRow* TRLXLSWorksheet::FindRow(int index, bool create)
{
    const auto found = m_rows.find(index);
    if (found != m_rows.end())
        return &found->second;
    if (!create)
        return nullptr;
    TRLXLSRow& row = m_rows[index];
    row.Index = index;
    Widen({ -1, index, -1, index });
    return &row;
}

TRLXLSRange* TRLXLSWorksheet::FindRange(int left, int top, int right, int bottom, bool create)
{
    const TRLXLSCellArea area { left, top, right, bottom };
    if (left < 0 || top < 0 || right < left || bottom < top || right >= kXLSSheetColumns
        || bottom >= kXLSSheetRows)
        RaiseXLSBadCellArea(m_title, left, top, right, bottom);
    if (std::size_t(top) < m_rowIndex.size()) {
        const std::vector<TRowEntry>& row = m_rowIndex[std::size_t(top)];
        const auto cell = std::lower_bound(row.begin(), row.end(), left, ByFirstColumn);
        if (cell != row.end() && cell->FirstColumn == left && m_ranges[cell->Slot]->CellArea() == area)
            return m_ranges[cell->Slot].get();
    }
    if (!create)
        return nullptr;
    DeleteRangesMeeting(area);
    const std::size_t slot = m_ranges.size();
    m_ranges.push_back(std::make_unique<TRLXLSRange>(*this, area));
    ++m_liveRanges;
    if (m_rowIndex.size() <= std::size_t(bottom))
        m_rowIndex.resize(std::size_t(bottom) + 1);
    for (int r = top; r <= bottom; ++r) {
        std::vector<TRowEntry>& row = m_rowIndex[std::size_t(r)];
        row.insert(std::lower_bound(row.begin(), row.end(), left, ByFirstColumn), TRowEntry { left, slot });
    }
    Widen(area);
    return m_ranges.back().get();
}

void TRLXLSWorksheet::SetValue(TRLXLSRange& range, const QString& text)
{
    range.m_value = NormalizeLineBreaks(text);
    range.m_kind = TRLXLSCellKind::Text;
    range.m_number = 0;
    if (!m_workbook.FindValueCells)
        return;
    if (const auto number = ReadXLSNumber(range.m_value, FormatSettings().DecimalSeparator)) {
        range.m_kind = TRLXLSCellKind::Number;
        range.m_number = *number;
    }
}

std::vector<TRLXLSRange*> TRLXLSWorksheet::Ranges() const
{
    std::vector<TRLXLSRange*> ranges;
    ranges.reserve(std::size_t(m_liveRanges));
    for (const auto& range : m_ranges) {
        if (range)
            ranges.push_back(range.get());
    }
    return ranges;
}

void TRLXLSWorksheet::ReleaseCells()
{
    m_cols.clear();
    m_rows.clear();
    m_ranges.clear();
    m_ranges.shrink_to_fit();
    m_rowIndex.clear();
    m_liveRanges = 0;
}

void TRLXLSWorksheet::Widen(const TRLXLSCellArea& area)
{
    const auto widen = [](int& first, int& last, int from, int to) {
        if (from < 0)
            return;
        first = first < 0 ? from : std::min(first, from);
        last = std::max(last, to);
    };
    widen(m_usedArea.FirstColumn, m_usedArea.LastColumn, area.FirstColumn, area.LastColumn);
    widen(m_usedArea.FirstRow, m_usedArea.LastRow, area.FirstRow, area.LastRow);
}

void TRLXLSWorksheet::DeleteRangesMeeting(const TRLXLSCellArea& area)
{
    std::vector<std::size_t> met;
    const int lastRow = std::min(area.LastRow, int(m_rowIndex.size()) - 1);
    for (int r = area.FirstRow; r <= lastRow; ++r) {
        const std::vector<TRowEntry>& row = m_rowIndex[std::size_t(r)];
        // Ranges in a row do not overlap, so those ending at or after the area's first column
        // are the last ones starting at or before its last column.
        auto cell = std::upper_bound(row.begin(), row.end(), area.LastColumn,
            [](int column, const TRowEntry& entry) { return column < entry.FirstColumn; });
        while (cell != row.begin()) {
            --cell;
            if (m_ranges[cell->Slot]->CellArea().LastColumn < area.FirstColumn)
                break;
            met.push_back(cell->Slot);
        }
    }
    std::sort(met.begin(), met.end());
    met.erase(std::unique(met.begin(), met.end()), met.end());
    for (const std::size_t slot : met)
        DeleteRange(slot);
}

void TRLXLSWorksheet::DeleteRange(std::size_t slot)
{
    const TRLXLSCellArea area = m_ranges[slot]->CellArea();
    for (int r = area.FirstRow; r <= area.LastRow; ++r) {
        std::vector<TRowEntry>& row = m_rowIndex[std::size_t(r)];
        row.erase(std::lower_bound(row.begin(), row.end(), area.FirstColumn, ByFirstColumn));
    }
    m_ranges[slot].reset();
    --m_liveRanges;
}

std::optional<double> ReadXLSNumber(QStringView text, QStringView decimalSeparator)
{
    QString value = text.toString();
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    value = value.trimmed();
    const QString point = QStringLiteral(".");
    const QString decimal = decimalSeparator.isEmpty() ? point : decimalSeparator.toString();
    const QString thousands = decimal == point ? QStringLiteral(",") : point;
    value.remove(thousands);
    value.replace(decimal, point);
    static const QRegularExpression kDecimal(
        QStringLiteral("\\A[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?\\z"));
    if (value.isEmpty() || !kDecimal.match(value).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double number = value.toDouble(&ok);
    // A number too large for a double reads as infinite, which a cell cannot hold.
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}
