#include "platform/Measure.h"

#include <QImage>

namespace {

constexpr double kMetersPerInch = 0.0254;

QImage& MeasuringImage()
{
    thread_local QImage image = [] {
        QImage created(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = int(kScreenPixelsPerInch / kMetersPerInch + 0.5);
        created.setDotsPerMeterX(dotsPerMeter);
        created.setDotsPerMeterY(dotsPerMeter);
        return created;
    }();
    return image;
}

} // namespace

QFontMetrics MeasuringMetrics(const TFont& font)
{
    return QFontMetrics(ToQFont(font), &MeasuringImage());
}

QSize MeasureText(QStringView text, const TFont& font)
{
    const QFontMetrics metrics = MeasuringMetrics(font);
    return QSize(metrics.horizontalAdvance(text.toString()), metrics.height());
}

int TextWidth(QStringView text, const TFont& font)
{
    return MeasureText(text, font).width();
}

int TextHeight(QStringView text, const TFont& font)
{
    return MeasureText(text, font).height();
}
