#include "ControlTestSupport.h"

#include <QFontMetrics>
#include <QImage>

using enum TRLBandType;

ControlReport::ControlReport(int count)
{
    data = new TMemoryDataSet(&form);
    data->SetName(QStringLiteral("Data"));
    data->AddField(QStringLiteral("N"), TFieldType::ftInteger);
    data->AddField(QStringLiteral("G"), TFieldType::ftString, 10);
    for (int n = 1; n <= count; ++n)
        data->AppendRecord({ n, QStringLiteral("x") });
    data->Open();
    source = new TDataSource(&form);
    source->SetDataSet(data);
    report = new TRLReport(&form);
    report->SetName(QStringLiteral("RLReport1"));
    report->ShowProgress = false;
    report->SetDataSource(source);
}

ControlReport::~ControlReport() = default;

TRLBand* ControlReport::AddBand(TRLBandType type, int height)
{
    auto* band = new TRLBand(&form);
    band->SetBandType(type);
    band->SetHeight(height);
    band->SetParent(report);
    return band;
}

TRLBand* ControlReport::AddTitleBand(int height)
{
    return AddBand(btTitle, height);
}

TRLBand* ControlReport::AddDetailBand(int height)
{
    return AddBand(btDetail, height);
}

int ControlReport::PageCount() const
{
    return report->Pages()->PageCount();
}

bool ControlReport::Prepare()
{
    const TRLPrepareResult prepared = report->Prepare();
    if (prepared.Outcome == TRLPrepareOutcome::Failed)
        errors << prepared.Message;
    return bool(prepared);
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

TRLLabel* AddLabel(ControlReport& r, TRLBand* band, const QString& caption)
{
    auto* label = new TRLLabel(&r.form);
    label->SetParent(band);
    label->SetFont(TestFont());
    label->SetCaption(caption);
    return label;
}
