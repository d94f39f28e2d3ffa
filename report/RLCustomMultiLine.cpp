#include "report/RLCustomMultiLine.h"

#include "pages/RLGraphicSurface.h"
#include "platform/Measure.h"
#include "report/RLBorders.h"
#include "report/RLMemoLayout.h"

using enum TRLBorderSide;
using enum TRLControlBehaviorItem;

namespace {
constexpr int kMultiLineWidth = 185;
constexpr int kMultiLineHeight = 89;
} // namespace

TRLCustomMultiLine::TRLCustomMultiLine(TComponent* owner)
    : TRLCustomControl(owner)
{
    SetAutoExpandFlags(false, true);
    SetDefaultBehavior(beSiteExpander);
    SetBounds(Left(), Top(), kMultiLineWidth, kMultiLineHeight);
    SetAutoSizeDefault(true);
    RefreshCaption();
}

QString TRLCustomMultiLine::ClassName() const
{
    return QStringLiteral("TRLCustomMultiLine");
}

void TRLCustomMultiLine::RefreshCaption()
{
    SetCaption(ComposeText());
}

void TRLCustomMultiLine::SetWordWrap(bool wordWrap)
{
    if (wordWrap == m_wordWrap)
        return;
    m_wordWrap = wordWrap;
    RefreshCaption();
}

QSize TRLCustomMultiLine::MeasureContent()
{
    if (!AutoSize())
        return QSize(Width(), Height());
    QString text = Caption();
    if (text.isEmpty() && !IsPrinting())
        text = Name();
    const TRLLinesExtent extent = MeasureLines(text, Font(), Width());
    qint64 height = extent.Height > 0 ? extent.Height : TextHeight(u" ", Font());
    const TRLBorders& borders = *Borders();
    if (borders.Width() > 0) {
        const int allowance = borders.Width() + 1;
        height
            += (borders.SideVisible(bsTop) ? allowance : 0) + (borders.SideVisible(bsBottom) ? allowance : 0);
    }
    return QSize(Width(), int(std::min<qint64>(height, INT_MAX)));
}

void TRLCustomMultiLine::EmitToSurface()
{
    TRLCustomControl::EmitToSurface();
    const TRect rect = SurfaceClientRect();
    TRLGraphicSurface& surface = *RequireSurface();
    NewGroupId();
    surface.SetFont(Font());
    TBrush brush;
    brush.Color = Color();
    brush.Style = Transparent() ? bsClear : bsSolid;
    surface.SetBrush(brush);
    TRLLineMeasurer measurer(Font());
    LayoutLines(Caption(), measurer, Alignment(), rect, rect.Height(),
        m_wordWrap ? rect.Width() : kUnboundedWidth, &surface);
}
