#pragma once

#include "ReportTestSupport.h"

#include "db/DataSource.h"
#include "db/MemoryDataSet.h"
#include "report/RLBand.h"
#include "report/RLLabel.h"
#include "report/RLReport.h"

#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"

#include <QString>
#include <vector>

/// The objects of kind T on a stored page, in drawing order.
template<class T> std::vector<const T*> PageObjects(TRLGraphicStorage& store, int page)
{
    std::vector<const T*> found;
    TRLGraphicSurface* surface = store.Pages(page);
    if (!surface)
        return found;
    for (int i = 0; i < surface->ObjectCount(); ++i)
        if (const auto* object = dynamic_cast<const T*>(surface->Objects(i)))
            found.push_back(object);
    return found;
}

/// An A4 report (bands at left 38, from row 38) over a memory dataset of records N = 1..count
/// and G = "x"; preparation failures are collected instead of shown.
struct ControlReport {
    explicit ControlReport(int count = 1);
    ~ControlReport();
    ControlReport(const ControlReport&) = delete;
    ControlReport& operator=(const ControlReport&) = delete;

    TComponent form { nullptr };
    TMemoryDataSet* data = nullptr;
    TDataSource* source = nullptr;
    TRLReport* report = nullptr;

    TRLBand* AddBand(TRLBandType type, int height);
    int PageCount() const;
    /// A title band (printed once, at row 38 of the first page) of the given height.
    TRLBand* AddTitleBand(int height);
    /// A detail band (printed once per record) of the given height.
    TRLBand* AddDetailBand(int height);
    /// Prepares; the failure messages, one per failed preparation, go to `errors`.
    bool Prepare();
    std::vector<const TRLTextObject*> TextObjects(int page = 0);

    QStringList errors;
};

/// The font most tests print with.
TFont TestFont();
/// A label of `r`'s form on `band`, in the test font.
TRLLabel* AddLabel(ControlReport& r, TRLBand* band, const QString& caption);
/// Pixel width of `text` in `font` measured by Qt on its own 96-dpi device.
int QtWidth(const QString& text, const TFont& font);
int QtHeight(const TFont& font);
/// A rectangle as "left,top,right,bottom".
QString RectText(const TRect& rect);
