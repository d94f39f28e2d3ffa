#pragma once

#include "pages/RLGraphicStorage.h"
#include "platform/Component.h"

#include <memory>

/// A store that looks like a purchase order: letterhead, supplier block, a table of item rows
/// (seven texts and a rule each) over as many A4 pages as the items need, and the totals.
struct TOrderPages {
    TComponent Owner { nullptr };
    TRLGraphicStorage* Storage = new TRLGraphicStorage(&Owner);
};

/// Rows per page of the item table.
constexpr int kOrderRowsPerPage = 40;

std::unique_ptr<TOrderPages> MakeOrderPages(int items);
