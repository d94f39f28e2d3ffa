#include "filters/RLXLSWorkbook.h"

TRLXLSWorkbook::TRLXLSWorkbook() = default;

TRLXLSWorkbook::~TRLXLSWorkbook() = default;

TRLXLSWorksheet& TRLXLSWorkbook::AddWorksheet()
{
    int number = WorksheetCount() + 1;
    while (HasTitle(kSheetPrefix.toString() + QString::number(number)))
        ++number;
    m_worksheets.push_back(
        std::make_unique<TRLXLSWorksheet>(*this, kSheetPrefix.toString() + QString::number(number)));
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
