#include "app/PageSelection.h"

#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <QPageRanges>

TRLGraphicStorage* SelectPages(TRLGraphicStorage& pages, const QPageRanges& ranges, TComponent* owner)
{
    auto* selected = new TRLGraphicStorage(owner);
    for (const QPageRanges::Range& range : ranges.toRangeList()) {
        for (int number = range.from; number <= range.to && number <= pages.PageCount(); ++number) {
            std::unique_ptr<TRLGraphicSurface> page = pages.PageCopy(number - 1);
            if (!page)
                throw EReportError(QCoreApplication::translate("TRLCustomFilter",
                    "Page %1 could not be read back from the temporary page file; the output "
                    "would be incomplete")
                                       .arg(number));
            selected->Add(std::move(page));
        }
    }
    if (selected->PageCount() == 0)
        throw EReportError(
            QCoreApplication::translate("PageSelection", "--pages %1 names no page: the pages are 1 to %2")
                .arg(ranges.toString())
                .arg(pages.PageCount()));
    selected->Macros() = pages.Macros();
    return selected;
}
