#include "platform/Measure.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <memory>
#include <unordered_map>
#include <vector>

namespace {

constexpr double kMetersPerInch = 0.0254;

QImage& MeasuringImage()
{
    thread_local QImage image = [] {
        QImage created(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = int(std::lround(kScreenPixelsPerInch / kMetersPerInch));
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

namespace {

/// What of a font decides its metrics; colour and character set do not.
struct TMetricsKey {
    QString Name;
    int Height;
    TFontStyles Style;
    TFontPitch Pitch;
};

/// Characters of formatted numbers: no font substitutes, joins or kerns them (kerning is off),
/// so a number's advance is the sum of its characters' own.
constexpr QStringView kNumberCharacters = u"0123456789.,-/ ";

/// Looks a text up by view, so that measuring a remembered text copies nothing.
struct TTextHash {
    using is_transparent = void;
    std::size_t operator()(QStringView text) const { return qHash(text); }
};

struct TTextEqual {
    using is_transparent = void;
    bool operator()(QStringView a, QStringView b) const { return a == b; }
};

struct TMeasuredFont {
    TMetricsKey Key;
    QFontMetrics Metrics;
    QFontMetricsF MetricsF;
    /// QFontMetrics::height() asks the font engine anew at each call.
    int Height;
    std::unordered_map<QString, int, TTextHash, TTextEqual> Widths;
    /// Unrounded advances of kNumberCharacters, in their order; empty until first needed.
    std::vector<qreal> NumberAdvances;
};

constexpr std::size_t kCachedFonts = 16;
/// A report measures the same captions and values page after page; unique texts (the items' own
/// values) would grow the table without bound, so it starts over when full.
constexpr qsizetype kCachedWidthsPerFont = 4096;

/// Building a font's metrics looks the font up anew each time, and shaping a text is the dearest
/// step of measuring; both are kept per thread, the fonts in least recently used order.
std::vector<std::unique_ptr<TMeasuredFont>>& MeasuredFonts()
{
    thread_local std::vector<std::unique_ptr<TMeasuredFont>> fonts;
    return fonts;
}

thread_local bool t_forgetRegistered = false;

void ForgetMeasuredFonts()
{
    MeasuredFonts().clear();
    t_forgetRegistered = false;
}

TMeasuredFont& MeasuredFont(const TFont& font)
{
    std::vector<std::unique_ptr<TMeasuredFont>>& fonts = MeasuredFonts();
    // Font engines must go before the application's font cache does, not at thread-local
    // destruction after it; other threads end while the application still lives.
    if (!t_forgetRegistered) {
        const QCoreApplication* application = QCoreApplication::instance();
        if (application && QThread::currentThread() == application->thread())
            qAddPostRoutine(ForgetMeasuredFonts);
        t_forgetRegistered = true;
    }
    const auto matches = [&font](const std::unique_ptr<TMeasuredFont>& measured) {
        const TMetricsKey& key = measured->Key;
        return key.Height == font.Height && key.Style == font.Style && key.Pitch == font.Pitch
            && key.Name == font.Name;
    };
    auto found = std::find_if(fonts.begin(), fonts.end(), matches);
    if (found == fonts.end()) {
        if (fonts.size() >= kCachedFonts)
            fonts.pop_back();
        const QFont qfont = ToQFont(font);
        const QFontMetrics metrics(qfont, &MeasuringImage());
        fonts.push_back(std::make_unique<TMeasuredFont>(
            TMeasuredFont { { font.Name, font.Height, font.Style, font.Pitch }, metrics,
                QFontMetricsF(qfont, &MeasuringImage()), metrics.height(), {}, {} }));
        found = fonts.end() - 1;
    }
    if (found != fonts.begin())
        std::rotate(fonts.begin(), found, found + 1);
    return *fonts.front();
}

/// The width of a formatted number, without shaping it; -1 for any other text. Item values are
/// mostly unique, so the table of remembered widths does not help them.
int NumberWidth(TMeasuredFont& measured, QStringView text)
{
    if (text.isEmpty())
        return -1;
    qreal advance = 0;
    for (const QChar character : text) {
        // A plain scan: QStringView::indexOf costs more than the fifteen compares.
        const auto* found = std::find(kNumberCharacters.begin(), kNumberCharacters.end(), character);
        if (found == kNumberCharacters.end())
            return -1;
        const qsizetype index = found - kNumberCharacters.begin();
        if (measured.NumberAdvances.empty()) {
            for (const QChar numberCharacter : kNumberCharacters)
                measured.NumberAdvances.push_back(measured.MetricsF.horizontalAdvance(numberCharacter));
        }
        advance += measured.NumberAdvances[std::size_t(index)];
    }
    return qRound(advance);
}

int CachedWidth(TMeasuredFont& measured, QStringView text)
{
    if (const int width = NumberWidth(measured, text); width >= 0)
        return width;
    const auto found = measured.Widths.find(text);
    if (found != measured.Widths.end())
        return found->second;
    if (measured.Widths.size() >= std::size_t(kCachedWidthsPerFont))
        measured.Widths.clear();
    const QString key = text.toString();
    const int width = measured.Metrics.horizontalAdvance(key);
    measured.Widths.emplace(key, width);
    return width;
}

} // namespace

QSize MeasureText(QStringView text, const TFont& font)
{
    TMeasuredFont& measured = MeasuredFont(font);
    return QSize(CachedWidth(measured, text), measured.Height);
}

int TextWidth(QStringView text, const TFont& font)
{
    return CachedWidth(MeasuredFont(font), text);
}

int TextHeight(QStringView /*text*/, const TFont& font)
{
    // One line's height is the font's, whatever the text.
    return MeasuredFont(font).Height;
}
