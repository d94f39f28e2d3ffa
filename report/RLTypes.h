#pragma once

/// @file
/// The report layer's value types: band types, alignments, record actions and the event
/// signatures of controls, bands and reports.

#include "pages/RLPageOrientation.h"
#include "platform/Rect.h"

#include <QFlags>
#include <QString>
#include <functional>

class TComponent;
class TRLGraphicSurface;

/// What a band prints and when: btHeader at the top of every page, btTitle once after the first
/// page header, btColumnHeader above the details, btDetail once per record, btColumnFooter below
/// the details, btSummary once after the last record, btFooter at the bottom of every page.
enum class TRLBandType { btHeader, btTitle, btColumnHeader, btDetail, btColumnFooter, btSummary, btFooter };
/// Number of TRLBandType values.
constexpr int kBandTypeCount = 7;

/// Horizontal placement of a text in its box: left, right, centred, or justified to both edges
/// by widening the blanks (the last line of a paragraph stays left).
enum class TRLTextAlignment { taLeftJustify, taRightJustify, taCenter, taJustify };
/// Vertical placement of a text in its box: top, centred or bottom; tlJustify is drawn as tlTop.
enum class TRLTextLayout { tlTop, tlCenter, tlBottom, tlJustify };

/// Placement of a control inside its owner site, in the order the layout algorithm names them.
/// The site places them in passes, in pixels of its client area:
/// - faLeftMost, faRightMost, then faTop, faBottom, then faLeft, faRight: strips along that edge,
///   keeping their width (left, right) or height (top, bottom), stretched along the edge, each
///   taking its room off what the earlier ones left; faClient: equal full-height columns over the
///   rest, the inner rectangle the later passes use.
/// - faLeftTop, faRightTop, faLeftBottom, faRightBottom: in that corner of the inner rectangle;
///   faClientTop, faClientBottom: equal slots between the two corners of that row;
///   faClientLeft, faClientRight: equal rows down that side between the corners.
/// - faLeftOnly, faRightOnly, faTopOnly, faBottomOnly: moved against that inner edge only;
///   faHeight, faWidth: stretched over the inner height or width, the other axis kept.
/// - faCenterLeft, faCenterRight, faCenterTop, faCenterBottom: centred in equal slots along that
///   inner edge; faCenter: side by side, the group centred both ways.
/// - faNone: kept where it is, moved or stretched by its anchors (TRLControlAnchor) when the site
///   is resized.
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
/// Number of TRLControlAlign values.
constexpr int kControlAlignCount = 27;

/// The site decides the width of a control with one of these alignments.
bool IsWidthStretching(TRLControlAlign align);
/// The site decides the height of a control with one of these alignments.
bool IsHeightStretching(TRLControlAlign align);

/// Sides of the site a control with faNone keeps its distance to when the site is resized: on
/// both sides of an axis it stretches, on the right or bottom side alone it moves.
enum class TRLControlAnchor : unsigned { fkLeft = 1, fkTop = 2, fkRight = 4, fkBottom = 8 };
/// A set of TRLControlAnchor.
Q_DECLARE_FLAGS(TRLControlAnchors, TRLControlAnchor)
Q_DECLARE_OPERATORS_FOR_FLAGS(TRLControlAnchors)

/// How a control follows its holder (TRLCustomControl::Holder), in pixels within the site:
/// hsAsColumn takes the holder's left and width, hsHorizontally and hsVertically keep the
/// horizontal or vertical offset to it, hsRelatively both; hsCopyWidth, hsCopyHeight and
/// hsCopySize copy the holder's size and leave the position alone. A control aligned right or
/// centred, or laid out at the bottom or centre, lines up with the holder by that edge or centre.
enum class TRLHoldStyle {
    hsAsColumn,
    hsHorizontally,
    hsVertically,
    hsRelatively,
    hsCopyWidth,
    hsCopyHeight,
    hsCopySize
};

/// beSiteExpander: when the control grows, its AutoExpand site (not AutoSize) grows by as much.
enum class TRLControlBehaviorItem : unsigned { beSiteExpander = 1 };
/// A set of TRLControlBehaviorItem.
Q_DECLARE_FLAGS(TRLControlBehavior, TRLControlBehaviorItem)
Q_DECLARE_OPERATORS_FOR_FLAGS(TRLControlBehavior)

/// What an OnDataRecord handler does with the record: raUseIt prints it and moves on; raIgnoreIt
/// skips it; raUseAndRetain prints it and offers it again (the copy number grows);
/// raBlankAndRetain prints the bands blank and offers the record again.
enum class TRLRecordAction { raUseIt, raIgnoreIt, raUseAndRetain, raBlankAndRetain };
/// Which records a skipper walks: rrAllRecords from the first; rrCurrentOnly the current one
/// alone; rrUntilEof from the current one to the end; rrNextN RangeCount records from the current.
enum class TRLRecordRange { rrAllRecords, rrCurrentOnly, rrUntilEof, rrNextN };
/// Where a report is in its run: rpIdle before TRLCustomReport::Prepare and after a failed one;
/// rpPreparing while the records print; rpFinishing while the summaries and last footers print;
/// rpReady once the pages are complete.
enum class TRLReportPhase { rpIdle, rpPreparing, rpFinishing, rpReady };
/// A new page before the band or pager prints (pbBeforePrint, only when the page already has
/// data), after it (pbAfterPrint), or none.
enum class TRLPageBreaking { pbNone, pbBeforePrint, pbAfterPrint };
/// Blank detail bands printed after the last record: none, to the bottom of the page
/// (ctFullPage), or until the page has the pager's MaxBands (ctMaxBands) or MinBands (ctMinBands).
enum class TRLCompletionType { ctNone, ctFullPage, ctMaxBands, ctMinBands };
/// boOptimisticPageBreak: the band is measured as it prints, not before.
enum class TRLBandOption : unsigned { boOptimisticPageBreak = 1 };
/// A set of TRLBandOption; see TRLCustomBand::Options.
Q_DECLARE_FLAGS(TRLBandOptions, TRLBandOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TRLBandOptions)
/// When a pager measures its footers ahead of printing: never (fmNone), once the headers have
/// printed (fmAfterHeader), or before each record's details (fmBeforeDetail).
enum class TRLFooterMeasuring { fmNone, fmAfterHeader, fmBeforeDetail };
/// Order of a detail grid's cells: record after record across a row (goInRows) or down a column
/// (goInColumns).
enum class TRLGridOrganization { goInRows, goInColumns };
/// Which border sides print: every side drawn (pqFullFeature) or only those marked Fixed
/// (pqFixedOnly).
enum class TRLPrintQuality { pqFullFeature, pqFixedOnly };
/// Unit of the real bounds a layout stores with a control (none, millimetres, inches); they do
/// not move it.
enum class TRLRealBoundsUnit { buNone, buMilimeters, buInches };

/// A set of band types, one bit per TRLBandType.
using TRLBandTypes = unsigned;
/// The bit of one band type in a TRLBandTypes set.
constexpr TRLBandTypes BandTypeBit(TRLBandType type)
{
    return 1u << unsigned(type);
}

/// Left, top, right and bottom distances in pixels.
struct TRLInsets {
    /// Distance from that side.
    ///@{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    ///@}
    /// Equal when all four distances are.
    bool operator==(const TRLInsets&) const = default;
};

/// Raised before a control prints; clearing printIt leaves it out.
using TRLBeforePrintEvent = std::function<void(TComponent* sender, bool& printIt)>;
/// Raised with the text a control is about to print: may change it, or clear printIt.
using TRLBeforeTextEvent = std::function<void(TComponent* sender, QString& text, bool& printIt)>;
/// Raised after a control printed.
using TRLAfterPrintEvent = std::function<void(TComponent* sender)>;
/// Raised with the component it concerns, nothing to answer.
using TRLNotifyEvent = std::function<void(TComponent* sender)>;
/// Raised for each record before it prints, with its 1-based number and copy number: may set eof
/// to end the data, or the action to use, skip or retain the record.
using TRLOnDataRecordEvent
    = std::function<void(TComponent* sender, int recNo, int copyNo, bool& eof, TRLRecordAction& action)>;
/// Raised for each record of a skipper without a data source: clear moreData to end the run.
using TRLOnNeedDataEvent = std::function<void(TComponent* sender, bool& moreData)>;
/// Raised for the number of records, which the handler sets.
using TRLOnDataCountEvent = std::function<void(TComponent* sender, int& dataCount)>;
/// Raised for each record after a group's first: set breakIt to start a new group there.
using TRLOnKeyBreakEvent = std::function<void(TComponent* sender, bool& breakIt)>;
/// The report's last look at every printed text, with the signature of TRLBeforeTextEvent.
using TRLOnFilterTextEvent = TRLBeforeTextEvent;
/// Raised when a site draws its background, with the surface and the frame rectangle in pixels.
using TRLDrawFrameEvent
    = std::function<void(TComponent* sender, TRLGraphicSurface* surface, const TRect& rect)>;
