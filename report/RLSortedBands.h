#pragma once

#include "report/RLTypes.h"

#include <array>
#include <vector>

class TRLCustomBand;

/// A pager's bands per type, ordered by Top, with a printed-on-this-page flag per type.
class TRLSortedBands {
public:
    void Clear();
    /// Goes before the first band with a greater Top; equal Tops keep insertion order.
    void Add(TRLCustomBand* band);
    void ResetPrinted();
    /// Every flag but btTitle's: a title prints once per run of the pager.
    void ResetPrintedExceptTitle();
    const std::vector<TRLCustomBand*>& List(TRLBandType type) const { return m_lists[std::size_t(type)]; }
    bool Printed(TRLBandType type) const { return m_printed[std::size_t(type)]; }
    void SetPrinted(TRLBandType type, bool printed) { m_printed[std::size_t(type)] = printed; }

private:
    std::array<std::vector<TRLCustomBand*>, kBandTypeCount> m_lists;
    std::array<bool, kBandTypeCount> m_printed {};
};
