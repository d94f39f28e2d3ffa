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

/// Marks a text cut to fit a cell.
constexpr QChar kCutMark = QChar(0x2026);
/// Digits a double keeps exactly, whatever they are.
constexpr int kMaxSignificantDigits = 15;

/// A cell text cut to what a cell holds, its last character the cut mark; never between the
/// halves of a surrogate pair.
QString FitCellText(QString text)
{
    if (text.size() <= kXLSMaxCellText)
        return text;
    qsizetype keep = kXLSMaxCellText - 1;
    if (text.at(keep - 1).isHighSurrogate())
        --keep;
    text.truncate(keep);
    text.append(kCutMark);
    return text;
}

/// A number text split into its parts; `Valid` false when it is not one.
struct TNumberText {
    bool Valid = false;
    QString Sign;
    /// The whole part as written, thousands separators included.
    QString Whole;
    QString WholeDigits;
    QString Fraction;
    QString Exponent;
};

/// Whether every character of the text could be part of a number (or space around it): most
/// cells are words, and fail here without the pattern.
bool MayBeNumber(QStringView text, QStringView decimal, QStringView thousands)
{
    return std::all_of(text.begin(), text.end(), [&](QChar c) {
        const char16_t code = c.unicode();
        return (code >= u'0' && code <= u'9') || code == u'+' || code == u'-' || code == u'e' || code == u'E'
            || decimal.contains(c) || thousands.contains(c) || c.isSpace();
    });
}

TNumberText SplitNumberText(QStringView text, QStringView decimalSeparator)
{
    TNumberText parts;
    {
        const QStringView decimal = decimalSeparator.isEmpty() ? QStringView(u".") : decimalSeparator;
        if (!MayBeNumber(text, decimal, decimal == u"." ? QStringView(u",") : QStringView(u".")))
            return parts;
    }
    QString value = text.toString();
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    value = value.trimmed();
    const QString point = QStringLiteral(".");
    const QString decimal = decimalSeparator.isEmpty() ? point : decimalSeparator.toString();
    const QString thousands = decimal == point ? QStringLiteral(",") : point;
    // Built once per separator and thread: every cell of a document is read with it.
    thread_local QString patternDecimal;
    thread_local QRegularExpression pattern;
    if (pattern.pattern().isEmpty() || patternDecimal != decimal) {
        pattern.setPattern(
            QStringLiteral("\\A([+-]?)([0-9]{1,3}(?:%1[0-9]{3})+|[0-9]*)"
                           "(?:%2([0-9]*))?(?:[eE]([+-]?[0-9]+))?\\z")
                .arg(QRegularExpression::escape(thousands), QRegularExpression::escape(decimal)));
        patternDecimal = decimal;
    }
    const QRegularExpressionMatch match = pattern.match(value);
    if (!match.hasMatch())
        return parts;
    parts.Sign = match.captured(1);
    parts.Whole = match.captured(2);
    parts.WholeDigits = QString(parts.Whole).remove(thousands);
    parts.Fraction = match.captured(3);
    parts.Exponent = match.captured(4);
    const QString digits = parts.WholeDigits + parts.Fraction;
    qsizetype leadingZeros = 0;
    while (leadingZeros < digits.size() && digits.at(leadingZeros) == QLatin1Char('0'))
        ++leadingZeros;
    parts.Valid = !digits.isEmpty() && !(parts.WholeDigits.size() > 1 && parts.WholeDigits.startsWith(u'0'))
        && digits.size() - leadingZeros <= kMaxSignificantDigits;
    return parts;
}

std::optional<double> NumberOf(const TNumberText& parts)
{
    if (!parts.Valid)
        return std::nullopt;
    QString value = parts.Sign + parts.WholeDigits;
    if (!parts.Fraction.isEmpty())
        value += QLatin1Char('.') + parts.Fraction;
    if (!parts.Exponent.isEmpty())
        value += QLatin1Char('e') + parts.Exponent;
    bool ok = false;
    const double number = value.toDouble(&ok);
    // A number too large for a double reads as infinite, which a cell cannot hold.
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

QString FormatOf(const TNumberText& parts)
{
    if (!parts.Valid || !parts.Exponent.isEmpty())
        return QString();
    constexpr qsizetype kGroupDigits = 3;
    // A whole part of three digits or fewer shows the same with or without grouping.
    const bool grouped = parts.Whole != parts.WholeDigits || parts.WholeDigits.size() <= kGroupDigits;
    QString format = grouped ? QStringLiteral("#,##0") : QStringLiteral("0");
    if (!parts.Fraction.isEmpty())
        format += QLatin1Char('.') + QString(parts.Fraction.size(), QLatin1Char('0'));
    return format;
}

bool Covers(const TRLXLSCellArea& area, int column, int row)
{
    return area.FirstColumn <= column && column <= area.LastColumn && area.FirstRow <= row
        && row <= area.LastRow;
}

/// The part of `area` before `other`, keeping its first cell, which `other` does not cover: the
/// columns left of `other` or the rows above it, whichever leaves more cells.
TRLXLSCellArea Without(const TRLXLSCellArea& area, const TRLXLSCellArea& other)
{
    TRLXLSCellArea columns = area;
    TRLXLSCellArea rows = area;
    columns.LastColumn = other.FirstColumn - 1;
    rows.LastRow = other.FirstRow - 1;
    const auto cells = [](const TRLXLSCellArea& a) {
        return a.LastColumn < a.FirstColumn || a.LastRow < a.FirstRow
            ? 0
            : qint64(a.LastColumn - a.FirstColumn + 1) * (a.LastRow - a.FirstRow + 1);
    };
    return cells(columns) >= cells(rows) ? columns : rows;
}

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
    , m_title(title.left(kMaxTitleLength).trimmed())
{
}

TRLXLSWorksheet::~TRLXLSWorksheet()
{
    if (m_listed)
        m_workbook.CountTitle(m_title, -1);
}

void TRLXLSWorksheet::SetTitle(const QString& title)
{
    if (m_listed)
        m_workbook.CountTitle(m_title, -1);
    m_title = title.left(kMaxTitleLength).trimmed();
    if (m_listed)
        m_workbook.CountTitle(m_title, 1);
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
    TRLXLSCellArea free = area;
    for (std::vector<std::size_t> met = RangesMeeting(free); !met.empty(); met = RangesMeeting(free)) {
        const std::size_t slot = met.front();
        const TRLXLSCellArea earlier = m_ranges[slot]->CellArea();
        if (!Covers(free, earlier.FirstColumn, earlier.FirstRow))
            ShrinkRange(slot, Without(earlier, free));
        else if (!Covers(earlier, free.FirstColumn, free.FirstRow))
            free = Without(free, earlier);
        else
            return m_ranges[slot].get();
    }
    const std::size_t slot = m_ranges.size();
    m_ranges.push_back(std::make_unique<TRLXLSRange>(*this, free));
    ++m_liveRanges;
    if (m_rowIndex.size() <= std::size_t(free.LastRow))
        m_rowIndex.resize(std::size_t(free.LastRow) + 1);
    for (int r = free.FirstRow; r <= free.LastRow; ++r) {
        std::vector<TRowEntry>& row = m_rowIndex[std::size_t(r)];
        row.insert(std::lower_bound(row.begin(), row.end(), free.FirstColumn, ByFirstColumn),
            TRowEntry { free.FirstColumn, slot });
    }
    Widen(free);
    return m_ranges.back().get();
}

void TRLXLSWorksheet::SetValue(TRLXLSRange& range, const QString& text)
{
    range.m_value = FitCellText(NormalizeLineBreaks(text));
    range.m_kind = TRLXLSCellKind::Text;
    range.m_number = 0;
    if (!m_workbook.FindValueCells)
        return;
    const TNumberText parts = SplitNumberText(range.m_value, FormatSettings().DecimalSeparator);
    if (const auto number = NumberOf(parts)) {
        range.m_kind = TRLXLSCellKind::Number;
        range.m_number = *number;
        range.Format = FormatOf(parts);
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
    // Their buffers too: the sheet object lives until the document ends.
    m_ranges.clear();
    m_ranges.shrink_to_fit();
    m_rowIndex.clear();
    m_rowIndex.shrink_to_fit();
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

std::vector<std::size_t> TRLXLSWorksheet::RangesMeeting(const TRLXLSCellArea& area) const
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
    return met;
}

void TRLXLSWorksheet::ShrinkRange(std::size_t slot, const TRLXLSCellArea& area)
{
    TRLXLSRange& range = *m_ranges[slot];
    for (int r = area.LastRow + 1; r <= range.m_area.LastRow; ++r) {
        std::vector<TRowEntry>& row = m_rowIndex[std::size_t(r)];
        row.erase(std::lower_bound(row.begin(), row.end(), area.FirstColumn, ByFirstColumn));
    }
    range.m_area = area;
}

std::optional<double> ReadXLSNumber(QStringView text, QStringView decimalSeparator)
{
    return NumberOf(SplitNumberText(text, decimalSeparator));
}

QString XLSNumberFormat(QStringView text, QStringView decimalSeparator)
{
    return FormatOf(SplitNumberText(text, decimalSeparator));
}
