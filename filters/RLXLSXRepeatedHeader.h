#pragma once

#include "filters/RLXLSGrid.h"

#include <QString>
#include <set>
#include <tuple>
#include <vector>

/// The page header and column header that start every page, recognised against the first page,
/// so that one sheet holding the whole report shows them once.
class TRLXLSXRepeatedHeader {
public:
    /// Remembers the first page's texts; call before DropRepeated.
    void SetFirstPage(const std::vector<TRLXLSPlacedText>& texts);
    /// Removes the repeated top of a later page: the texts above the first text (by its top edge)
    /// that the first page does not hold with the same text in the same place. A page whose every
    /// text repeats the first page's keeps them all: it is a page of its own, not a header.
    void DropRepeated(std::vector<TRLXLSPlacedText>& texts) const;

private:
    using TPlacedKey = std::tuple<int, int, int, int, QString>;
    static TPlacedKey KeyOf(const TRLXLSPlacedText& text);

    std::set<TPlacedKey> m_firstPage;
};
