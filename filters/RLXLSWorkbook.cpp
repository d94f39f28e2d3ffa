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

TRLXLSWorkbook::~TRLXLSWorkbook() = default;

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

bool TRLXLSWorkbook::HasTitle(const QString& title) const
{
    for (const auto& sheet : m_worksheets) {
        if (sheet->Title().compare(title, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}
