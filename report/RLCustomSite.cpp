#include "report/RLCustomSite.h"

#include "pages/RLGraphicObject.h"
#include "pages/RLGraphicSurface.h"
#include "platform/ComponentCast.h"
#include "report/RLBackground.h"
#include "report/RLBorders.h"
#include "report/RLDegradeEffect.h"
#include "report/RLForeignControl.h"
#include "report/RLMargins.h"
#include "support/Geometry.h"

#include <algorithm>
#include <utility>

using enum TRLControlAlign;
using enum TRLDegradeDirection;

namespace {

quint64 SerialOf(const TControl* control)
{
    if (auto* report = ComponentCast<const TRLCustomControl>(control))
        return report->CreationSerial();
    if (auto* foreign = ComponentCast<const TRLForeignControl>(control))
        return foreign->CreationSerial();
    return 0;
}

TRLInsets MillimetresToInsets(const TRLMargins& margins)
{
    return { MillimetersToPixels(margins.LeftMargin()), MillimetersToPixels(margins.TopMargin()),
        MillimetersToPixels(margins.RightMargin()), MillimetersToPixels(margins.BottomMargin()) };
}

TRect Shrink(const TRect& rect, const TRLInsets& insets)
{
    return { rect.Left + insets.Left, rect.Top + insets.Top, rect.Right - insets.Right,
        rect.Bottom - insets.Bottom };
}

bool IsSite(const TControl* control)
{
    return ComponentCast<const TRLCustomSite>(control) != nullptr;
}

} // namespace

TRLCustomSite::TRLCustomSite(TComponent* owner)
    : TRLCustomControl(owner)
    , m_background(std::make_unique<TRLBackground>(this))
    , m_degrade(std::make_unique<TRLDegradeEffect>(this))
    , m_insideMargins(std::make_unique<TRLMargins>(this, 0.0))
    , m_margins(std::make_unique<TRLMargins>(this, 0.0))
    , m_surface(std::make_unique<TRLGraphicSurface>())
{
}

TRLCustomSite::~TRLCustomSite() = default;

QString TRLCustomSite::ClassName() const
{
    return QStringLiteral("TRLCustomSite");
}

TRLGraphicSurface* TRLCustomSite::SurfaceForChildren()
{
    return m_surface.get();
}

// ---- Geometry -----------------------------------------------------------------------------

TRect TRLCustomSite::MarginBaseRect() const
{
    return SizeRect();
}

TRLInsets TRLCustomSite::MarginsPixels() const
{
    return MillimetresToInsets(*m_margins);
}

TRect TRLCustomSite::ClientRect() const
{
    TRect rect = Shrink(MarginBaseRect(), MarginsPixels());
    rect = Shrink(rect, BorderInsets());
    return Shrink(rect, MillimetresToInsets(*m_insideMargins));
}

TRLInsets TRLCustomSite::ClientInsets() const
{
    // Margins, borders and inside margins: the same on whatever height the site prints with.
    const TRLInsets margins = MarginsPixels();
    const TRLInsets borders = BorderInsets();
    const TRLInsets inside = MillimetresToInsets(*m_insideMargins);
    return { margins.Left + borders.Left + inside.Left, margins.Top + borders.Top + inside.Top,
        margins.Right + borders.Right + inside.Right, margins.Bottom + borders.Bottom + inside.Bottom };
}

void TRLCustomSite::SetClientBounds(const TRect& clientRect)
{
    const TRect client = ClientRect();
    const int right = Width() - client.Right;
    const int bottom = Height() - client.Bottom;
    SetBounds(clientRect.Left - client.Left, clientRect.Top - client.Top,
        clientRect.Width() + client.Left + right, clientRect.Height() + client.Top + bottom);
}

TRect TRLCustomSite::SurfaceBoundsRect() const
{
    return m_printBounds;
}

TRect TRLCustomSite::SurfaceSizeRect() const
{
    return TRect::FromSize(0, 0, m_printBounds.Width(), m_printBounds.Height());
}

TRect TRLCustomSite::SurfaceClientRect() const
{
    const TRect client = ClientRect();
    return { m_printBounds.Left + client.Left, m_printBounds.Top + client.Top,
        m_printBounds.Left + client.Right, m_printBounds.Top + client.Bottom };
}

QSize TRLCustomSite::MeasureContent()
{
    if (!AutoSize())
        return QSize(Width(), Height());
    const TRect client = ClientRect();
    int sumWidth = 0;
    int sumHeight = 0;
    int extentWidth = 0;
    int extentHeight = 0;
    for (TControl* child : Controls()) {
        auto* control = ComponentCast<TRLCustomControl>(child);
        if (!control || !control->Visible())
            continue;
        if (control->Align() == faNone) {
            extentWidth = std::max(extentWidth, control->Left() + control->Width());
            extentHeight = std::max(extentHeight, control->Top() + control->Height());
            continue;
        }
        if (!IsWidthStretching(control->Align()))
            sumWidth += control->Width();
        if (!IsHeightStretching(control->Align()))
            sumHeight += control->Height();
    }
    int neededWidth = std::max(sumWidth, extentWidth - client.Left);
    int neededHeight = std::max(sumHeight, extentHeight - client.Top);
    if (IsWidthStretching(Align()) || neededWidth == 0)
        neededWidth = client.Width();
    if (IsHeightStretching(Align()) || neededHeight == 0)
        neededHeight = client.Height();
    return QSize(Width() + neededWidth - client.Width(), Height() + neededHeight - client.Height());
}

void TRLCustomSite::Realign()
{
    AlignChildren();
}

// ---- Notifications ------------------------------------------------------------------------

void TRLCustomSite::ResetNotify()
{
    for (TControl* child : Controls())
        if (auto* control = ComponentCast<TRLCustomControl>(child))
            control->ResetNotify();
}

void TRLCustomSite::DetailNotify(TRLCustomBand* band)
{
    for (TControl* child : Controls())
        if (auto* control = ComponentCast<TRLCustomControl>(child))
            control->DetailNotify(band);
}

void TRLCustomSite::MeasureForFooters()
{
    for (TControl* child : Controls())
        if (auto* control = ComponentCast<TRLCustomControl>(child))
            control->MeasureControl();
    SetCaption(ComposeText());
}

// ---- Print cycle --------------------------------------------------------------------------

bool TRLCustomSite::DecidePrint()
{
    bool printIt = Visible() && !IsEmitting();
    if (printIt)
        RaiseBeforePrint(printIt);
    SetPrintFlag(printIt);
    return printIt;
}

void TRLCustomSite::EmitToSurface()
{
    PrintSite();
}

void TRLCustomSite::PrintSite()
{
    OpenSiteSurface();
    SiteFilling();
    CloseSiteSurface();
}

std::vector<TControl*> TRLCustomSite::ChildrenInCreationOrder() const
{
    // This runs for every band printed, and children are nearly always in creation order
    // already: that is checked first, without allocating.
    std::vector<TControl*> children = Controls();
    std::size_t sortedUpTo = 0;
    for (quint64 previous = 0; sortedUpTo < children.size(); ++sortedUpTo) {
        const quint64 serial = SerialOf(children[sortedUpTo]);
        if (sortedUpTo > 0 && serial < previous)
            break;
        previous = serial;
    }
    if (sortedUpTo == children.size())
        return children;
    std::vector<std::pair<quint64, TControl*>> keyed;
    keyed.reserve(children.size());
    for (TControl* child : children)
        keyed.emplace_back(SerialOf(child), child);
    const auto bySerial = [](const auto& a, const auto& b) { return a.first < b.first; };
    std::stable_sort(keyed.begin(), keyed.end(), bySerial);
    for (std::size_t i = 0; i < keyed.size(); ++i)
        children[i] = keyed[i].second;
    return children;
}

TRect TRLCustomSite::BoundsInOwnerSite() const
{
    TRect rect = BoundsRect();
    for (TControl* parent = Parent(); parent && !IsSite(parent); parent = parent->Parent()) {
        rect.Left += parent->Left();
        rect.Right += parent->Left();
        rect.Top += parent->Top();
        rect.Bottom += parent->Top();
    }
    return rect;
}

void TRLCustomSite::CapturePrintBounds()
{
    m_printBounds = BoundsInOwnerSite();
}

void TRLCustomSite::OpenSiteSurface()
{
    if (m_surface->Opened())
        return;
    if (TRLCustomSite* owner = OwnerSite(); owner && !owner->Surface()->Opened())
        owner->OpenSiteSurface();
    BeforeSurfaceOpen();
    CapturePrintBounds();
    m_surface->Width = m_printBounds.Width();
    m_surface->Height = m_printBounds.Height();
    m_surface->Open();
    m_surface->Clear();
    if (Enabled())
        PrintContents();
    AfterSurfaceOpen();
}

void TRLCustomSite::CloseSiteSurface()
{
    if (!m_surface->Opened())
        return;
    if (Enabled())
        BeforeSurfaceClose();
    FinishSurface();
    DrawOnParent();
    m_surface->Close();
    AfterSurfaceClose();
}

void TRLCustomSite::DiscardSurfaces()
{
    m_surface->Close();
    m_surface->Clear();
    for (TControl* child : Controls())
        if (auto* site = ComponentCast<TRLCustomSite>(child))
            site->DiscardSurfaces();
}

void TRLCustomSite::PrintContents()
{
    PrepareChildren();
    PrintChildren();
    if (PrintsChildSites())
        PrintChildSites();
}

void TRLCustomSite::PrepareChildren()
{
    if (!Enabled())
        return;
    for (TControl* child : ChildrenInCreationOrder()) {
        auto* control = ComponentCast<TRLCustomControl>(child);
        if (!control || IsSite(control))
            continue;
        if (control->DecidePrint())
            control->FitBounds();
    }
}

void TRLCustomSite::PrintChildren()
{
    if (!Enabled())
        return;
    for (TControl* child : ChildrenInCreationOrder()) {
        if (IsSite(child))
            continue;
        if (auto* control = ComponentCast<TRLCustomControl>(child)) {
            if (control->PrintFlag()) {
                control->PrintControl();
                control->RaiseAfterPrint();
            }
            continue;
        }
        auto* foreign = ComponentCast<TRLForeignControl>(child);
        if (!foreign || !foreign->Visible())
            continue;
        const QImage picture = foreign->PaintToImage();
        if (picture.isNull())
            continue;
        QPoint position(foreign->Left(), foreign->Top());
        for (TControl* parent = foreign->Parent(); parent && !IsSite(parent); parent = parent->Parent())
            position += QPoint(parent->Left(), parent->Top());
        NewGroupId();
        SurfaceForChildren()->Draw(position.x(), position.y(), picture, false);
    }
}

void TRLCustomSite::PrintChildSites()
{
    if (!Enabled())
        return;
    for (TControl* child : ChildrenInCreationOrder()) {
        auto* site = ComponentCast<TRLCustomSite>(child);
        if (!site || !site->DecidePrint())
            continue;
        site->PrintControl();
        site->RaiseAfterPrint();
    }
}

void TRLCustomSite::DrawOnParent()
{
    TRLGraphicSurface* target = RequireSurface();
    const TRect rect = SurfaceBoundsRect();
    if (Enabled())
        DrawSiteBackground(*target, rect);
    target->DrawSurface(rect.Left, rect.Top, *m_surface);
}

void TRLCustomSite::DrawSiteBackground(TRLGraphicSurface& surface, const TRect& rect)
{
    NewGroupId();
    if (m_degrade->Direction != ddNone && m_degrade->OppositeColor != Color()) {
        m_degrade->DrawGradient(surface, rect);
    } else if (!Transparent()) {
        TBrush brush;
        brush.Color = Color();
        brush.Style = bsSolid;
        surface.SetBrush(brush);
        surface.FillRect(rect);
    }
    m_background->DrawBackground(surface, rect);
    const TRect frame = Shrink(rect, MarginsPixels());
    if (OnDrawFrame)
        OnDrawFrame(this, &surface, frame);
    Borders()->DrawBorders(surface, frame);
}
