#include "report/RLLabel.h"

#include "pages/RLGraphicSurface.h"
#include "platform/Measure.h"
#include "report/RLBorders.h"
#include "report/RLTextCodes.h"

#include <algorithm>

using enum TRLBorderSide;
using enum TRLTextAlignment;
using enum TRLTextLayout;

namespace {
constexpr int kLabelWidth = 65;
constexpr int kLabelHeight = 17;
} // namespace

TRLCustomLabel::TRLCustomLabel(TComponent* owner)
    : TRLCustomControl(owner)
{
    SetAutoExpandFlags(true, false);
    SetBounds(Left(), Top(), kLabelWidth, kLabelHeight);
    SetAutoSizeDefault(true);
    RefreshCaption();
}

QString TRLCustomLabel::ClassName() const
{
    return QStringLiteral("TRLCustomLabel");
}

void TRLCustomLabel::RefreshCaption()
{
    SetCaption(ComposeText());
}

namespace {

/// The text with a space after it, as labels are measured, in a buffer kept for the next
/// label: every label printed is measured so, and a new string each time would allocate.
const QString& WithSpace(const QString& text)
{
    thread_local QString spaced;
    spaced.resize(0);
    spaced.append(text).append(QLatin1Char(' '));
    return spaced;
}

} // namespace

QSize TRLCustomLabel::MeasureContent()
{
    if (!AutoSize())
        return QSize(Width(), Height());
    QString text = Caption();
    if (text.isEmpty() && !IsPrinting())
        text = Name();
    int width = MeasureText(WithSpace(text), Font()).width();
    const TRLBorders& borders = *Borders();
    if (borders.Width() > 0) {
        const int allowance = borders.Width() + 1;
        width
            += (borders.SideVisible(bsLeft) ? allowance : 0) + (borders.SideVisible(bsRight) ? allowance : 0);
    }
    return QSize(width, Height());
}

void TRLCustomLabel::EmitToSurface()
{
    TRLCustomControl::EmitToSurface();
    TRect rect = SurfaceClientRect();
    TRLGraphicSurface& surface = *RequireSurface();
    NewGroupId();
    surface.SetFont(Font());
    const QString caption = Caption();
    const int space = surface.TextWidth(QStringLiteral(" "));
    const QString& spaced = WithSpace(caption);
    const int w = surface.TextWidth(spaced);
    const int h = surface.TextHeight(spaced);
    const int half = space / 2;
    int x = half + rect.Left;
    if (Alignment() == taRightJustify)
        x = half + rect.Right - w;
    else if (Alignment() == taCenter)
        x = half + (rect.Left + rect.Right - w) / 2;
    // A right-justified text wider than its box (an amount) grows to the left, never past its
    // band's left edge, so that no leading digit is clipped away.
    if (Alignment() == taRightJustify && x - half < rect.Left)
        rect.Left = std::max(0, x - half);
    int y = rect.Top;
    if (Layout() == tlCenter)
        y = (rect.Top + rect.Bottom - h) / 2;
    else if (Layout() == tlBottom)
        y = rect.Bottom - h;
    TBrush brush = surface.Brush();
    brush.Style = bsClear;
    surface.SetBrush(brush);
    // An auto-sized label may spill over its rectangle, so it is not clipped to it.
    const quint16 flags = AutoSize() ? (kTextFlagKeepWhole | kTextFlagNoClip) : kTextFlagKeepWhole;
    surface.TextOutEx(rect, x, y, caption, StoredAlignment(Alignment()), StoredLayout(Layout()), flags);
}

TRLLabel::TRLLabel(TComponent* owner)
    : TRLCustomLabel(owner)
{
}

QString TRLLabel::ClassName() const
{
    return QStringLiteral("TRLLabel");
}
