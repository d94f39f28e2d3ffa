#include "filters/RLXLSWorkbook.h"

#include "support/LocaleTexts.h"

namespace {

/// The live text; before start-up fills the live texts, the English one.
QString SheetPrefix()
{
    const QString live = LocaleText(TLocaleTextId::Page);
    return live.isEmpty() ? LanguageText(TLanguage::English, TLocaleTextId::Page) : live;
}

} // namespace

TRLXLSWorkbook::TRLXLSWorkbook() = default;

TRLXLSWorkbook::~TRLXLSWorkbook()
{
    // The sheets count their titles out as they go.
    Clear();
}

TRLXLSWorksheet& TRLXLSWorkbook::AddWorksheet()
{
    const QString prefix = SheetPrefix();
    int number = WorksheetCount() + 1;
    while (HasTitle(prefix + QString::number(number)))
        ++number;
    TRLXLSWorksheet& sheet = *m_worksheets.emplace_back(
        std::make_unique<TRLXLSWorksheet>(*this, prefix + QString::number(number)));
    // Scratch grids of the same workbook (built and dropped on other threads) stay out of the count.
    sheet.m_listed = true;
    CountTitle(sheet.Title(), 1);
    return sheet;
}

void TRLXLSWorkbook::Clear()
{
    m_worksheets.clear();
}

void TRLXLSWorkbook::CountTitle(const QString& title, int change)
{
    const QString key = title.toCaseFolded();
    const int count = m_titleCounts.value(key) + change;
    if (count > 0)
        m_titleCounts.insert(key, count);
    else
        m_titleCounts.remove(key);
}

bool TRLXLSWorkbook::HasTitle(const QString& title) const
{
    return m_titleCounts.contains(title.toCaseFolded());
}
