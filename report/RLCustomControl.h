#pragma once

#include "platform/Control.h"
#include "report/RLTypes.h"

#include <QScopedValueRollback>
#include <QSize>
#include <QVariant>
#include <memory>
#include <vector>

class TRLBorders;
class TRLRealBounds;
class TRLCustomSite;
class TRLCustomBand;
class TRLCustomPager;
class TRLCustomGroup;
class TRLCustomSkipper;
class TRLCustomReport;

/// The base of every printable element: geometry, captions, the print cycle, the layout rules
/// and the lookups of the enclosing report elements.
class TRLCustomControl : public TControl {
public:
    /// A control at 0, 0 with no size, deleted by `owner`; SetParent places it in a site.
    explicit TRLCustomControl(TComponent* owner);
    ~TRLCustomControl() override;
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// The runtime caption while the owning report prepares or finishes, else the design caption.
    QString Caption() const;
    /// Writes the runtime caption, and the design caption unless the owning report is printing; re-fits.
    void SetCaption(const QString& caption);
    /// FriendlyName, else the component name.
    QString DisplayName() const;
    /// An identifier unique (case-insensitively) among the report controls of the same owner;
    /// the expression parser knows the control by it.
    ///@{
    const QString& FriendlyName() const { return m_friendlyName; }
    void SetFriendlyName(const QString& name);
    ///@}
    /// Re-fits the control, whose size may depend on its name.
    void SetName(const QString& name) override;
    /// Re-fits the control and re-aligns the new owner site.
    void SetParent(TControl* parent) override;

    /// Placement inside the owner site; a value other than faNone clears Anchors and re-aligns
    /// the owner site.
    ///@{
    TRLControlAlign Align() const { return m_align; }
    void SetAlign(TRLControlAlign align);
    ///@}
    /// Edges (fkLeft, fkTop...) kept at their distance when the site resizes; a non-empty set
    /// resets Align to faNone without re-aligning.
    ///@{
    TRLControlAnchors Anchors() const { return m_anchors; }
    void SetAnchors(TRLControlAnchors anchors);
    ///@}
    /// Horizontal placement of the text or content inside the control; re-fits.
    ///@{
    TRLTextAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TRLTextAlignment alignment);
    ///@}
    /// Vertical placement of the text or content inside the control; re-fits.
    ///@{
    TRLTextLayout Layout() const { return m_layout; }
    void SetLayout(TRLTextLayout layout);
    ///@}
    /// The control takes its content's natural size; turning it on re-fits at once.
    ///@{
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);
    ///@}
    /// The control grows with content larger than its design size; turning it on re-fits at once.
    ///@{
    bool AutoExpand() const { return m_autoExpand; }
    void SetAutoExpand(bool autoExpand);
    ///@}
    /// The directions in which the control may grow by itself when a child grows.
    ///@{
    bool HorzAutoExpand() const { return m_horzAutoExpand; }
    bool VertAutoExpand() const { return m_vertAutoExpand; }
    ///@}
    /// A pager whose print height shrinks to what it printed.
    bool ExpandsToContent() const { return m_expandsToContent; }
    /// beSiteExpander: the owner site grows when the control grows past it.
    ///@{
    TRLControlBehavior Behavior() const { return m_behavior; }
    void SetBehavior(TRLControlBehavior behavior) { m_behavior = behavior; }
    ///@}
    /// The Behavior the control's class starts with.
    TRLControlBehavior DefaultBehavior() const { return m_defaultBehavior; }

    /// No background is drawn; true gives the control back its parent's colour (a report turns
    /// white).
    ///@{
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    ///@}
    /// A colour other than white makes the control opaque, unless it is being loaded.
    void SetColor(TColor color) override;
    /// A disabled control, band or pager prints nothing.
    ///@{
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    ///@}

    /// The border lines around the control, owned by it.
    TRLBorders* Borders() const { return m_borders.get(); }
    /// The bounds in millimetres or inches, owned by the control.
    TRLRealBounds* RealBounds() const { return m_realBounds.get(); }

    /// A control whose position or size this one follows, by HoldStyle; setting it moves the
    /// control to the holder's held list, captures the offsets and re-fits. Not owned; cleared
    /// when the holder is destroyed.
    ///@{
    TRLCustomControl* Holder() const { return m_firstTie.holder; }
    void SetHolder(TRLCustomControl* holder);
    TRLHoldStyle HoldStyle() const { return m_firstTie.style; }
    void SetHoldStyle(TRLHoldStyle style);
    ///@}
    /// A second holder, followed as the first is.
    ///@{
    TRLCustomControl* SecondHolder() const { return m_secondTie.holder; }
    void SetSecondHolder(TRLCustomControl* holder);
    TRLHoldStyle SecondHoldStyle() const { return m_secondTie.style; }
    void SetSecondHoldStyle(TRLHoldStyle style);
    ///@}
    /// The controls that name this one as a holder.
    const std::vector<TRLCustomControl*>& HeldControls() const { return m_heldControls; }

    /// The result of the last print decision (BeforePrint).
    bool PrintFlag() const { return m_printFlag; }
    /// Bounds before the last real change (anchors, site expansion).
    const TRect& PreviousBounds() const { return m_previousBounds; }
    /// Creation order among all report controls; children are printed in this order.
    quint64 CreationSerial() const { return m_serial; }

    /// Gives the control its natural size, placed by Alignment and Layout; deferred while loading.
    void FitBounds();
    /// The single entry for every position or size change, in pixels at 96 dpi relative to the
    /// parent: fixed size, holders, constraints, site expansion and re-alignment.
    void SetBounds(int left, int top, int width, int height) override;
    /// Bounds from a client rectangle enlarged by the border (or site client) insets.
    virtual void SetClientBounds(const TRect& clientRect);
    /// The size rectangle: origin 0, 0, the control's width and height.
    TRect SizeRect() const { return TRect::FromSize(0, 0, Width(), Height()); }
    /// The border width on each bordered side, in pixels.
    virtual TRLInsets BorderInsets() const;
    /// The caption as a value, for the expression parser.
    virtual QVariant GetValueVariant(QStringView name) const;
    /// Attribute lookup for the expression parser; nothing answers at this level.
    virtual bool ResolveAttribute(QStringView name, QVariant& value) const;

    /// The nearest enclosing element of each kind, or nullptr (OwnerReport and OwnerSkipper also
    /// answer the control itself); the Require forms raise "Não encontrado" instead of nullptr.
    ///@{
    TRLCustomReport* OwnerReport() const;
    TRLCustomSite* OwnerSite() const;
    TRLCustomBand* OwnerBand() const;
    /// Stops at the first pager that is not a group.
    TRLCustomGroup* OwnerGroup() const;
    TRLCustomSkipper* OwnerSkipper() const;
    TRLCustomPager* OwnerPager() const;
    TRLCustomPager* RequirePager() const;
    TRLCustomSkipper* RequireSkipper() const;
    TRLCustomReport* RequireReport() const;
    ///@}
    /// The first report of the chain the owning report belongs to.
    TRLCustomReport* RootReport() const;
    /// The owning report is preparing or finishing.
    bool IsPrinting() const;
    /// The control prints as a blank: its pager is completing or its skipper retains a blank record.
    bool IsBlank() const;

    /// Raised before the control prints; clearing printIt leaves it out.
    TRLBeforePrintEvent BeforePrint;
    /// The text form of BeforePrint, which text controls publish under that name.
    TRLBeforeTextEvent BeforeText;
    /// Raised after the control printed.
    TRLAfterPrintEvent AfterPrint;
    /// Raised when the control is measured ahead of printing, before it re-fits.
    TRLNotifyEvent OnMeasureHeight;

protected:
    /// @cond ENGINE
    // The print cycle: the sites, bands, pagers and the report drive it through these, and a new
    // kind of control overrides the virtual steps; a program never calls them.
    friend class TRLCustomSite;
    friend class TRLCustomBand;
    friend class TRLCustomDetailGrid;
    friend class TRLCustomPager;
    friend class TRLCustomSkipper;
    friend class TRLCustomGroup;
    friend class TRLCustomReport;

    /// Runs BeforePrint (and BeforeText for text) and sets PrintFlag.
    virtual bool DecidePrint();
    /// Empty while the control prints as a blank (completion, raBlankAndRetain), else BuildText.
    QString ComposeText();
    void PrintControl();
    void MeasureControl();
    /// The natural size in pixels (AutoSize).
    virtual QSize MeasureContent();
    virtual TRect SurfaceClientRect() const;
    /// The control's rectangle inside its nearest site's surface.
    virtual TRect SurfaceBoundsRect() const;
    virtual TRect SurfaceSizeRect() const;
    virtual QString BuildText();
    /// A pager starts over.
    virtual void ResetNotify();
    /// A computable detail band was printed.
    virtual void DetailNotify(TRLCustomBand* band);
    virtual void EmitToSurface();
    virtual void Realign();
    virtual void MeasureForFooters();
    virtual TRLGraphicSurface* OwnerSurface();
    TRLGraphicSurface* RequireSurface();

    // Saved bounds around printing: the control and every report control inside it.
    void SaveBoundsTree();
    void RestoreBoundsTree();

    void RaiseBeforePrint(bool& printIt);
    void RaiseBeforeText(QString& text, bool& printIt);
    void RaiseAfterPrint();
    void RaiseMeasureHeight();

    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    /// The colour a transparent control shows: its parent's.
    virtual void TakeTransparentColor();
    void SetAutoExpandFlags(bool horz, bool vert);
    void SetExpandsToContent(bool expands) { m_expandsToContent = expands; }
    void SetDefaultBehavior(TRLControlBehavior behavior);
    void SetAutoSizeDefault(bool autoSize) { m_autoSize = autoSize; }
    void SetAutoExpandDefault(bool autoExpand) { m_autoExpand = autoExpand; }
    void SetAlignDefault(TRLControlAlign align) { m_align = align; }
    /// Forces every later bounds change to this size (a report with a paper size).
    void SetFixedSize(int width, int height, bool fixed);
    bool HasFixedSize() const { return m_hasFixedSize; }
    /// Whether a report control is being emitted right now (the printing state bit).
    bool IsEmitting() const { return m_state & kStatePrinting; }
    bool IsAligning() const { return m_state & kStateAligning; }
    void SetPrintFlag(bool printFlag) { m_printFlag = printFlag; }

    enum : unsigned {
        kStatePrinting = 1,
        kStateAligning = 2,
        kStateHolderRefit = 4,
        kStateFitting = 8,
        kStateExpanding = 16,
        kStateRestoring = 32,
        kStateMeasuring = 64
    };
    /// Sets a state bit for the life of the object, then puts the state back as it was, also on
    /// failure: a guard nested in one for the same bit leaves the bit set.
    class StateGuard {
    public:
        StateGuard(TRLCustomControl& control, unsigned bit);

    private:
        QScopedValueRollback<unsigned> m_rollback;
    };
    bool HasState(unsigned bit) const { return m_state & bit; }
    /// @endcond

private:
    struct HoldTie {
        TRLCustomControl* holder = nullptr;
        TRLHoldStyle style = TRLHoldStyle::hsAsColumn;
        int dx = 0;
        int dy = 0;
    };
    void ChangeHolder(HoldTie& tie, TRLCustomControl* holder);
    void CaptureHoldOffsets(HoldTie& tie);
    void ApplyHoldTie(const HoldTie& tie, int& left, int& top, int& width, int& height) const;
    bool WidthAdjustable() const;
    bool HeightAdjustable() const;
    void RefitHeldControls();
    void ExpandOwnerSite();
    bool IsNameTaken(const QString& name) const;

    QString m_caption;
    QString m_designCaption;
    QString m_friendlyName;
    TRLControlAlign m_align = TRLControlAlign::faNone;
    TRLControlAnchors m_anchors;
    TRLTextAlignment m_alignment = TRLTextAlignment::taLeftJustify;
    TRLTextLayout m_layout = TRLTextLayout::tlTop;
    bool m_autoSize = false;
    bool m_autoExpand = false;
    bool m_horzAutoExpand = false;
    bool m_vertAutoExpand = false;
    bool m_expandsToContent = false;
    TRLControlBehavior m_behavior;
    TRLControlBehavior m_defaultBehavior;
    bool m_transparent = true;
    bool m_enabled = true;
    bool m_printFlag = false;
    std::unique_ptr<TRLBorders> m_borders;
    std::unique_ptr<TRLRealBounds> m_realBounds;
    HoldTie m_firstTie;
    HoldTie m_secondTie;
    std::vector<TRLCustomControl*> m_heldControls;
    TRect m_savedBounds;
    TRect m_previousBounds;
    int m_fixedWidth = 0;
    int m_fixedHeight = 0;
    bool m_hasFixedSize = false;
    unsigned m_state = 0;
    quint64 m_serial = 0;
};
