// Feeds arbitrary bytes to the page-file reader and, when they read as pages, does with them what
// `--view` and the exports do: draws each page as the preview (at two zooms) and the printer do,
// then writes the pages as PDF and as XLS. Nothing may crash, overflow or throw anything but
// EReportError, whatever sizes, coordinates, fonts or pictures the file declares.
#include "filters/RLPDFFilter.h"
#include "filters/RLSpoolFilter.h"
#include "filters/RLXLSFilter.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "platform/Canvas.h"
#include "platform/Component.h"
#include "platform/Exceptions.h"
#include "support/Startup.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdlib>

namespace {

// Drawn small: the fuzzer looks for faults in the arithmetic and the decoding, not in pixels.
constexpr int kCanvasWidth = 120;
constexpr int kCanvasHeight = 170;
constexpr int kZoomedWidth = 600;
constexpr int kZoomedHeight = 850;
// The pages after these repeat what the first ones exercise.
constexpr int kMaxPagesDrawn = 4;
// The exports write into this device as into a pipe: no file per run.
const QString kNowhere = QStringLiteral("/dev/null");

void Paint(TRLGraphicSurface& page, int width, int height, bool printer)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(painter);
    const TRect area { 0, 0, width, height };
    if (printer) {
        PaintPageOnPrinter(canvas, page, TRLPrinterMapping(area, page.Width, page.Height));
        return;
    }
    canvas.SmoothText = true;
    page.PaintTo(canvas, area);
}

template<class TFilter> void Export(TRLGraphicStorage& pages)
{
    TFilter filter(nullptr);
    filter.ShowProgress = false;
    filter.FileName = kNowhere;
    try {
        filter.FilterPages(pages);
    } catch (const EReportError&) {
        // A page the export cannot take fails the run with a message; that is a valid outcome.
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Painting needs a GUI application; Qt must not see libFuzzer's own arguments.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "pagerender_fuzzer";
    static char* argv[] = { name, nullptr };
    static QGuiApplication application(argc, argv);
    static const TQuirelLibrary library;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // The owner keeps the store alive through the filter runs, which unlink it at their end.
    TComponent owner(nullptr);
    auto* pages = new TRLGraphicStorage(&owner);
    try {
        pages->LoadFromStream(buffer, QStringLiteral("fuzz.rpf"));
    } catch (const EReportError&) {
        return 0;
    }
    (void)pages->OrientedPixelWidth();
    (void)pages->OrientedPixelHeight();
    for (int i = 0; i < std::min(pages->PageCount(), kMaxPagesDrawn); ++i) {
        TRLGraphicSurface* page = pages->Pages(i);
        if (!page)
            std::abort();
        Paint(*page, kCanvasWidth, kCanvasHeight, false);
        Paint(*page, kZoomedWidth, kZoomedHeight, false);
        Paint(*page, kCanvasWidth, kCanvasHeight, true);
    }
    Export<TRLPDFFilter>(*pages);
    Export<TRLXLSFilter>(*pages);
    return 0;
}
