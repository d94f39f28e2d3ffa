#include "report/RLSortedBands.h"

#include "report/RLBand.h"

using enum TRLBandType;

void TRLSortedBands::Clear()
{
    for (auto& list : m_lists)
        list.clear();
    m_printed.fill(false);
}

void TRLSortedBands::Add(TRLCustomBand* band)
{
    auto& list = m_lists[std::size_t(band->BandType())];
    auto it = list.begin();
    while (it != list.end() && (*it)->Top() <= band->Top())
        ++it;
    list.insert(it, band);
}

void TRLSortedBands::ResetPrinted()
{
    m_printed.fill(false);
}

void TRLSortedBands::ResetPrintedExceptTitle()
{
    const bool title = Printed(btTitle);
    m_printed.fill(false);
    SetPrinted(btTitle, title);
}
