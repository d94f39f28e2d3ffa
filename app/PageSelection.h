#pragma once

class QPageRanges;
class TComponent;
class TRLGraphicStorage;

/// The pages of `pages` that `ranges` names, copied into a store of their own under `owner`,
/// with the macros of the whole (so that "page 3 of 9" still reads so). As in the print dialog,
/// pages past the last one are left out; throws EReportError when that leaves none.
TRLGraphicStorage* SelectPages(TRLGraphicStorage& pages, const QPageRanges& ranges, TComponent* owner);
