#include "report/RLCustomControl.h"

#include "pages/RLGraphicObject.h"
#include "pages/RLGraphicSurface.h"
#include "platform/ComponentCast.h"
#include "report/RLBand.h"
#include "report/RLBorders.h"
#include "report/RLCustomSite.h"
#include "report/RLErrors.h"
#include "report/RLForeignControl.h"
#include "report/RLGroup.h"
#include "report/RLRealBounds.h"
#include "report/RLReport.h"

#include <QRegularExpression>
#include <algorithm>

using enum TRLControlAlign;
using enum TRLRecordAction;
using enum TRLReportPhase;

namespace {

bool IsIdentifier(const QString& text)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return identifier.match(text).hasMatch();
}

// The nearest control of type T from `start` up the parent chain.
template<class T> T* Nearest(const TControl* start)
{
    for (const TControl* control = start; control; control = control->Parent())
        if (auto* found = ComponentCast<const T>(control))
            return const_cast<T*>(found);
    return nullptr;
}

} // namespace

TRLCustomControl::StateGuard::StateGuard(TRLCustomControl& control, unsigned bit)
    : m_rollback(control.m_state, control.m_state | bit)
{
}

TRLCustomControl::TRLCustomControl(TComponent* owner)
    : TControl(owner)
    , m_borders(std::make_unique<TRLBorders>(this))
    , m_realBounds(std::make_unique<TRLRealBounds>())
    , m_serial(NextCreationSerial())
{
}

TRLCustomControl::~TRLCustomControl()
{
    // Held controls and holders hear of this through the free notification of the component.
    for (TRLCustomControl* held : m_heldControls) {
        if (held->m_firstTie.holder == this)
            held->m_firstTie.holder = nullptr;
        if (held->m_secondTie.holder == this)
            held->m_secondTie.holder = nullptr;
    }
    for (TRLCustomControl* holder : { m_firstTie.holder, m_secondTie.holder })
        if (holder)
            std::erase(holder->m_heldControls, this);
}

QString TRLCustomControl::ClassName() const
{
    return QStringLiteral("TRLCustomControl");
}

// ---- Caption and names -------------------------------------------------------------------

QString TRLCustomControl::Caption() const
{
    return IsPrinting() ? m_caption : m_designCaption;
}

void TRLCustomControl::SetCaption(const QString& caption)
{
    m_caption = caption;
    if (!IsPrinting())
        m_designCaption = caption;
    FitBounds();
}

QString TRLCustomControl::DisplayName() const
{
    return m_friendlyName.isEmpty() ? Name() : m_friendlyName;
}

bool TRLCustomControl::IsNameTaken(const QString& name) const
{
    if (!Owner())
        return false;
    for (TComponent* component : Owner()->Components()) {
        const auto* control = ComponentCast<const TRLCustomControl>(component);
        if (control && control != this && name.compare(control->m_friendlyName, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void TRLCustomControl::SetFriendlyName(const QString& name)
{
    if (name == m_friendlyName)
        return;
    if (name.isEmpty() || name == Name()) {
        m_friendlyName.clear();
        return;
    }
    if (!IsIdentifier(name)) {
        if (IsLoading()) {
            m_friendlyName.clear();
            return;
        }
        RaiseInvalidName(name);
    }
    if (IsNameTaken(name))
        RaiseNameAlreadyUsed(name);
    m_friendlyName = name;
}

void TRLCustomControl::SetName(const QString& name)
{
    TControl::SetName(name);
    FitBounds();
}

void TRLCustomControl::SetParent(TControl* parent)
{
    TControl::SetParent(parent);
    FitBounds();
    if (TRLCustomSite* site = OwnerSite())
        site->Realign();
}

// ---- Simple properties --------------------------------------------------------------------

void TRLCustomControl::SetAlign(TRLControlAlign align)
{
    if (align == m_align)
        return;
    const TRLControlAlign old = m_align;
    if (align != faNone)
        m_anchors = {};
    const bool heightToWidth = !IsHeightStretching(old) && !IsWidthStretching(align);
    const bool widthToHeight = !IsWidthStretching(old) && !IsHeightStretching(align);
    if (heightToWidth || widthToHeight) {
        m_align = faNone;
        FitBounds();
    }
    m_align = align;
    if (TRLCustomSite* site = OwnerSite())
        site->Realign();
}

void TRLCustomControl::SetAnchors(TRLControlAnchors anchors)
{
    m_anchors = anchors;
    if (anchors != 0)
        m_align = faNone;
}

void TRLCustomControl::SetAlignment(TRLTextAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    FitBounds();
}

void TRLCustomControl::SetLayout(TRLTextLayout layout)
{
    if (layout == m_layout)
        return;
    m_layout = layout;
    FitBounds();
}

void TRLCustomControl::SetAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (autoSize)
        FitBounds();
}

void TRLCustomControl::SetAutoExpand(bool autoExpand)
{
    m_autoExpand = autoExpand;
    if (autoExpand)
        FitBounds();
}

void TRLCustomControl::SetAutoExpandFlags(bool horz, bool vert)
{
    m_horzAutoExpand = horz;
    m_vertAutoExpand = vert;
}

void TRLCustomControl::SetDefaultBehavior(TRLControlBehavior behavior)
{
    m_defaultBehavior = behavior;
    m_behavior = behavior;
}

void TRLCustomControl::SetTransparent(bool transparent)
{
    m_transparent = transparent;
    if (!transparent)
        return;
    TakeTransparentColor();
}

void TRLCustomControl::TakeTransparentColor()
{
    SetParentColor(true);
}

void TRLCustomControl::SetColor(TColor color)
{
    TControl::SetColor(color);
    if (color != clWhite && !IsLoading())
        m_transparent = false;
}

void TRLCustomControl::SetFixedSize(int width, int height, bool fixed)
{
    m_fixedWidth = width;
    m_fixedHeight = height;
    m_hasFixedSize = fixed;
    if (fixed)
        SetBounds(Left(), Top(), width, height);
}

void TRLCustomControl::Notification(TComponent* component, TOperation operation)
{
    TControl::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (m_firstTie.holder == component)
        m_firstTie.holder = nullptr;
    if (m_secondTie.holder == component)
        m_secondTie.holder = nullptr;
    std::erase(m_heldControls, component);
}

void TRLCustomControl::Loaded()
{
    TControl::Loaded();
    FitBounds();
    Realign();
}

// ---- Print cycle --------------------------------------------------------------------------

bool TRLCustomControl::IsPrinting() const
{
    const TRLCustomReport* report = OwnerReport();
    return report && (report->ReportPhase() == rpPreparing || report->ReportPhase() == rpFinishing);
}

bool TRLCustomControl::IsBlank() const
{
    if (const TRLCustomPager* pager = OwnerPager(); pager && pager->IsCompleting())
        return true;
    if (const TRLCustomSkipper* skipper = OwnerSkipper();
        skipper && skipper->RecordAction() == raBlankAndRetain)
        return true;
    return false;
}

QString TRLCustomControl::ComposeText()
{
    return IsBlank() ? QString() : BuildText();
}

QString TRLCustomControl::BuildText()
{
    return Caption();
}

bool TRLCustomControl::DecidePrint()
{
    m_printFlag = Visible();
    if (!m_printFlag)
        return false;
    RaiseBeforePrint(m_printFlag);
    if (!m_printFlag)
        return false;
    QString text = ComposeText();
    RaiseBeforeText(text, m_printFlag);
    if (!m_printFlag)
        return false;
    if (TRLCustomReport* report = OwnerReport())
        report->RaiseFilterText(text, m_printFlag);
    if (!m_printFlag)
        return false;
    SetCaption(text);
    return m_printFlag;
}

void TRLCustomControl::PrintControl()
{
    StateGuard printing(*this, kStatePrinting);
    EmitToSurface();
}

void TRLCustomControl::EmitToSurface()
{
    const TRect rect = SurfaceBoundsRect();
    TRLGraphicSurface* surface = RequireSurface();
    NewGroupId();
    if (!m_transparent) {
        TBrush brush;
        brush.Color = Color();
        brush.Style = bsSolid;
        surface->SetBrush(brush);
        surface->FillRect(rect);
    }
    m_borders->DrawBorders(*surface, rect);
}

void TRLCustomControl::MeasureControl()
{
    if (!Visible() || IsLoading() || HasState(kStateMeasuring))
        return;
    if (!m_autoSize && !m_autoExpand && !OnMeasureHeight)
        return;
    StateGuard measuring(*this, kStateMeasuring);
    MeasureForFooters();
    RaiseMeasureHeight();
    FitBounds();
}

void TRLCustomControl::MeasureForFooters()
{
    SetCaption(ComposeText());
}

void TRLCustomControl::ResetNotify()
{
}

void TRLCustomControl::DetailNotify(TRLCustomBand* band)
{
    Q_UNUSED(band);
}

void TRLCustomControl::Realign()
{
}

QVariant TRLCustomControl::GetValueVariant(QStringView name) const
{
    Q_UNUSED(name);
    return Caption();
}

bool TRLCustomControl::ResolveAttribute(QStringView name, QVariant& value) const
{
    Q_UNUSED(name);
    Q_UNUSED(value);
    return false;
}

// ---- Geometry -----------------------------------------------------------------------------

QSize TRLCustomControl::MeasureContent()
{
    return QSize(Width(), Height());
}

TRLInsets TRLCustomControl::BorderInsets() const
{
    return m_borders->Insets();
}

TRect TRLCustomControl::SurfaceBoundsRect() const
{
    TRect rect = BoundsRect();
    for (TControl* parent = Parent(); parent && !ComponentCast<TRLCustomSite>(parent);
         parent = parent->Parent()) {
        rect.Left += parent->Left();
        rect.Right += parent->Left();
        rect.Top += parent->Top();
        rect.Bottom += parent->Top();
    }
    return rect;
}

TRect TRLCustomControl::SurfaceClientRect() const
{
    const TRect bounds = SurfaceBoundsRect();
    const TRLInsets insets = BorderInsets();
    return { bounds.Left + insets.Left, bounds.Top + insets.Top, bounds.Right - insets.Right,
        bounds.Bottom - insets.Bottom };
}

TRect TRLCustomControl::SurfaceSizeRect() const
{
    return SizeRect();
}

void TRLCustomControl::SetClientBounds(const TRect& clientRect)
{
    const TRLInsets insets = BorderInsets();
    SetBounds(clientRect.Left - insets.Left, clientRect.Top - insets.Top,
        clientRect.Width() + insets.Left + insets.Right, clientRect.Height() + insets.Top + insets.Bottom);
}

void TRLCustomControl::SaveBoundsTree()
{
    m_savedBounds = BoundsRect();
    for (TControl* child : Controls())
        if (auto* control = ComponentCast<TRLCustomControl>(child))
            control->SaveBoundsTree();
}

void TRLCustomControl::RestoreBoundsTree()
{
    // The container first: its re-alignment may move anchored children, which are then put back.
    {
        StateGuard restoring(*this, kStateRestoring);
        SetBounds(m_savedBounds.Left, m_savedBounds.Top, m_savedBounds.Width(), m_savedBounds.Height());
    }
    for (TControl* child : Controls())
        if (auto* control = ComponentCast<TRLCustomControl>(child))
            control->RestoreBoundsTree();
}

// ---- Lookups ------------------------------------------------------------------------------

TRLCustomReport* TRLCustomControl::OwnerReport() const
{
    return Nearest<TRLCustomReport>(this);
}

TRLCustomReport* TRLCustomControl::RootReport() const
{
    TRLCustomReport* report = OwnerReport();
    // A chain of reports cannot loop (a report never chains to itself and chaining releases old
    // partners), but a bound keeps a corrupt chain from hanging.
    for (int steps = 0; report && report->PriorReport() && steps < 1 << 20; ++steps)
        report = report->PriorReport();
    return report;
}

TRLCustomSite* TRLCustomControl::OwnerSite() const
{
    return Nearest<TRLCustomSite>(Parent());
}

TRLCustomBand* TRLCustomControl::OwnerBand() const
{
    return Nearest<TRLCustomBand>(Parent());
}

TRLCustomGroup* TRLCustomControl::OwnerGroup() const
{
    // A group only counts while no other pager stands between it and the control.
    return ComponentCast<TRLCustomGroup>(OwnerPager());
}

TRLCustomSkipper* TRLCustomControl::OwnerSkipper() const
{
    return Nearest<TRLCustomSkipper>(this);
}

TRLCustomPager* TRLCustomControl::OwnerPager() const
{
    return Nearest<TRLCustomPager>(Parent());
}

TRLCustomPager* TRLCustomControl::RequirePager() const
{
    if (TRLCustomPager* pager = OwnerPager())
        return pager;
    RaiseNotFound(*this, u".ParentPager");
}

TRLCustomSkipper* TRLCustomControl::RequireSkipper() const
{
    if (TRLCustomSkipper* skipper = OwnerSkipper())
        return skipper;
    RaiseNotFound(*this, u".ParentSkipper");
}

TRLCustomReport* TRLCustomControl::RequireReport() const
{
    if (TRLCustomReport* report = OwnerReport())
        return report;
    RaiseNotFound(*this, u".ParentReport");
}

TRLGraphicSurface* TRLCustomControl::OwnerSurface()
{
    TRLCustomSite* site = OwnerSite();
    return site ? site->SurfaceForChildren() : nullptr;
}

TRLGraphicSurface* TRLCustomControl::RequireSurface()
{
    if (TRLGraphicSurface* surface = OwnerSurface())
        return surface;
    RaiseNotFound(*this, u".ParentSurface");
}

// ---- Events -------------------------------------------------------------------------------

void TRLCustomControl::RaiseBeforePrint(bool& printIt)
{
    if (BeforePrint)
        BeforePrint(this, printIt);
}

void TRLCustomControl::RaiseBeforeText(QString& text, bool& printIt)
{
    if (BeforeText)
        BeforeText(this, text, printIt);
}

void TRLCustomControl::RaiseAfterPrint()
{
    if (AfterPrint)
        AfterPrint(this);
}

void TRLCustomControl::RaiseMeasureHeight()
{
    if (OnMeasureHeight)
        OnMeasureHeight(this);
}
