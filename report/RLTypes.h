#pragma once

#include "pages/RLPageOrientation.h"
#include "platform/Rect.h"

#include <QFlags>
#include <QString>
#include <functional>

class TComponent;
class TRLGraphicSurface;

enum class TRLBandType { btHeader, btTitle, btColumnHeader, btDetail, btColumnFooter, btSummary, btFooter };
constexpr int kBandTypeCount = 7;

enum class TRLTextAlignment { taLeftJustify, taRightJustify, taCenter, taJustify };
enum class TRLTextLayout { tlTop, tlCenter, tlBottom, tlJustify };

/// Placement of a control inside its owner site, in the order the layout algorithm names them.
enum class TRLControlAlign {
    faNone,
    faLeft,
    faTop,
    faRight,
    faBottom,
    faLeftMost,
    faRightMost,
    faClient,
    faLeftTop,
    faRightTop,
    faLeftBottom,
    faRightBottom,
    faCenter,
    faCenterLeft,
    faCenterTop,
    faCenterRight,
    faCenterBottom,
    faClientLeft,
    faClientTop,
    faClientRight,
    faClientBottom,
    faHeight,
    faWidth,
    faLeftOnly,
    faRightOnly,
    faTopOnly,
    faBottomOnly
};
constexpr int kControlAlignCount = 27;

/// The site decides the width of a control with one of these alignments.
bool IsWidthStretching(TRLControlAlign align);
/// The site decides the height of a control with one of these alignments.
bool IsHeightStretching(TRLControlAlign align);

enum class TRLControlAnchor : unsigned { fkLeft = 1, fkTop = 2, fkRight = 4, fkBottom = 8 };
Q_DECLARE_FLAGS(TRLControlAnchors, TRLControlAnchor)
Q_DECLARE_OPERATORS_FOR_FLAGS(TRLControlAnchors)

enum class TRLHoldStyle {
    hsAsColumn,
    hsHorizontally,
    hsVertically,
    hsRelatively,
    hsCopyWidth,
    hsCopyHeight,
    hsCopySize
};

enum class TRLControlBehaviorItem : unsigned { beSiteExpander = 1 };
Q_DECLARE_FLAGS(TRLControlBehavior, TRLControlBehaviorItem)
Q_DECLARE_OPERATORS_FOR_FLAGS(TRLControlBehavior)

enum class TRLRecordAction { raUseIt, raIgnoreIt, raUseAndRetain, raBlankAndRetain };
enum class TRLRecordRange { rrAllRecords, rrCurrentOnly, rrUntilEof, rrNextN };
enum class TRLReportPhase { rpIdle, rpPreparing, rpFinishing, rpReady };
enum class TRLPageBreaking { pbNone, pbBeforePrint, pbAfterPrint };
enum class TRLCompletionType { ctNone, ctFullPage, ctMaxBands, ctMinBands };
enum class TRLBandOption : unsigned { boOptimisticPageBreak = 1 };
Q_DECLARE_FLAGS(TRLBandOptions, TRLBandOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TRLBandOptions)
enum class TRLFooterMeasuring { fmNone, fmAfterHeader, fmBeforeDetail };
enum class TRLGridOrganization { goInRows, goInColumns };
enum class TRLPrintQuality { pqFullFeature, pqFixedOnly };
enum class TRLRealBoundsUnit { buNone, buMilimeters, buInches };

/// A set of band types, one bit per TRLBandType.
using TRLBandTypes = unsigned;
constexpr TRLBandTypes BandTypeBit(TRLBandType type)
{
    return 1u << unsigned(type);
}

/// Left, top, right and bottom distances in pixels.
struct TRLInsets {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TRLInsets&) const = default;
};

using TRLBeforePrintEvent = std::function<void(TComponent* sender, bool& printIt)>;
using TRLBeforeTextEvent = std::function<void(TComponent* sender, QString& text, bool& printIt)>;
using TRLAfterPrintEvent = std::function<void(TComponent* sender)>;
using TRLNotifyEvent = std::function<void(TComponent* sender)>;
using TRLOnDataRecordEvent
    = std::function<void(TComponent* sender, int recNo, int copyNo, bool& eof, TRLRecordAction& action)>;
using TRLOnNeedDataEvent = std::function<void(TComponent* sender, bool& moreData)>;
using TRLOnDataCountEvent = std::function<void(TComponent* sender, int& dataCount)>;
using TRLOnKeyBreakEvent = std::function<void(TComponent* sender, bool& breakIt)>;
using TRLOnFilterTextEvent = TRLBeforeTextEvent;
using TRLDrawFrameEvent
    = std::function<void(TComponent* sender, TRLGraphicSurface* surface, const TRect& rect)>;
