#include "ControlTestSupport.h"

#include "report/RLUserInterface.h"

#include <QFontMetrics>
#include <QImage>

ControlReport::ControlReport(int count)
    : ReportFixture(count)
{
    RLUserInterface().ShowError = [this](const QString& message) { errors << message; };
}

ControlReport::~ControlReport()
{
    RLUserInterface().ShowError = nullptr;
}

TRLBand* ControlReport::AddTitleBand(int height)
{
    auto* band = new TRLBand(&form);
    band->SetBandType(btTitle);
    band->SetHeight(height);
    band->SetParent(report);
    return band;
}

TRLBand* ControlReport::AddDetailBand(int height)
{
    auto* band = new TRLBand(&form);
    band->SetBandType(btDetail);
    band->SetHeight(height);
    band->SetParent(report);
    return band;
}

bool ControlReport::Prepare()
{
    return report->Prepare();
}

std::vector<const TRLTextObject*> ControlReport::TextObjects(int page)
{
    return PageObjects<TRLTextObject>(*report->Pages(), page);
}

TFont TestFont()
{
    TFont font;
    font.Name = QStringLiteral("Arial");
    font.Height = -13;
    return font;
}

namespace {

QFontMetrics IndependentMetrics(const TFont& font)
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    QFont qfont(font.Name);
    qfont.setHintingPreference(QFont::PreferNoHinting);
    qfont.setKerning(false);
    qfont.setPixelSize(-font.Height);
    qfont.setBold(font.Style.testFlag(fsBold));
    qfont.setItalic(font.Style.testFlag(fsItalic));
    return QFontMetrics(qfont, &device);
}

} // namespace

int QtWidth(const QString& text, const TFont& font)
{
    return IndependentMetrics(font).horizontalAdvance(text);
}

int QtHeight(const TFont& font)
{
    return IndependentMetrics(font).height();
}

QString RectText(const TRect& rect)
{
    return QStringLiteral("%1,%2,%3,%4").arg(rect.Left).arg(rect.Top).arg(rect.Right).arg(rect.Bottom);
}
