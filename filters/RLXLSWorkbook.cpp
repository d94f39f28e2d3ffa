#include "filters/RLXLSWorkbook.h"

#include "support/LocaleTexts.h"

namespace {

constexpr int kPageText = 7;

/// The live text; before start-up fills the live texts, the English one.
QString SheetPrefix()
{
    const QString live = LocaleText(kPageText);
    return live.isEmpty() ? LanguageText(TLanguage::English, kPageText) : live;
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
    m_worksheets.push_back(std::make_unique<TRLXLSWorksheet>(*this, prefix + QString::number(number)));
    return *m_worksheets.back();
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
