#pragma once

#include "report/RLBand.h"

#include <QStringList>
#include <functional>

class TRLGraphicStorage;
class TRLGraphicSurface;

/// A leaf control for the engine's tests: prints its caption as one text object at its place,
/// and measures to NaturalWidth x NaturalHeight when AutoSize is on.
class TTestText : public TRLCustomControl {
public:
    explicit TTestText(TComponent* owner);
    QString ClassName() const override;

    /// When set, the text to print, asked at every print (a field's value, a counter).
    std::function<QString()> Text;
    int NaturalWidth = 0;
    int NaturalHeight = 0;
    /// The text object's keep-whole flag, which a band split must not cut through.
    bool KeepWhole = true;

    /// DetailNotify and ResetNotify received.
    int DetailNotices = 0;
    int ResetNotices = 0;

    QString BuildText() override;
    void DetailNotify(TRLCustomBand* band) override;
    void ResetNotify() override;
    QSize MeasureContent() override;
    void EmitToSurface() override;

    /// What every control draws before its own content: background and borders.
    void EmitBackgroundAndBorders() { TRLCustomControl::EmitToSurface(); }
    using TRLCustomControl::RequireSurface;
};

/// A band whose saved-bounds steps a test may run by hand.
class TTestBand : public TRLBand {
public:
    using TRLBand::TRLBand;
    using TRLCustomControl::RestoreBoundsTree;
    using TRLCustomControl::SaveBoundsTree;
};

/// The texts of one stored page, each as "text@left,top" in drawing order.
QStringList PageTexts(TRLGraphicStorage& store, int page);
/// Every page's texts, pages separated by " | ", texts by " ".
QString DumpPages(TRLGraphicStorage& store);
/// Only the texts of a page, in drawing order.
QStringList PageWords(TRLGraphicStorage& store, int page);
