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

TRLXLSWorkbook::~TRLXLSWorkbook() = default;

TRLXLSWorksheet& TRLXLSWorkbook::AddWorksheet()
{
    const QString prefix = SheetPrefix();
    int number = WorksheetCount() + 1;
    while (HasTitle(prefix + QString::number(number)))
        ++number;
    TRLXLSWorksheet& sheet = *m_worksheets.emplace_back(
        std::make_unique<TRLXLSWorksheet>(*this, prefix + QString::number(number)));
    sheet.m_listed = true;
    ++m_titles[sheet.Title().toCaseFolded()];
    return sheet;
}

void TRLXLSWorkbook::Clear()
{
    m_worksheets.clear();
    m_titles.clear();
}

bool TRLXLSWorkbook::HasTitle(const QString& title) const
{
    return m_titles.contains(title.toCaseFolded());
}

void TRLXLSWorkbook::Retitled(const QString& previous, const QString& title)
{
    const auto found = m_titles.find(previous.toCaseFolded());
    if (found != m_titles.end() && --found.value() == 0)
        m_titles.erase(found);
    ++m_titles[title.toCaseFolded()];
}
