// Times the PDF export of order-sized page stores and prints seconds and peak memory.
//
//   bench_pdf [ITEMS...]      default: 1000 10000 (the sizes of orders 6 and 7)
//
// Until the report engine prepares real orders, the pages are laid out here as the order prints
// them: a header with the logo and the supplier block, 48 item rows of seven texts, a footer with
// the page count.

#include "filters/RLFilterCommands.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "support/Startup.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace {

constexpr int kPageWidth = 794;
constexpr int kPageHeight = 1123;
constexpr int kRowsPerPage = 48;
constexpr int kRowHeight = 17;
constexpr int kFirstRowY = 250;
constexpr int kLogoWidth = 160;
constexpr int kLogoHeight = 80;

struct TColumn {
    int left;
    int right;
    TRLMetaTextAlignment alignment;
};
constexpr TColumn kColumns[] = {
    { 38, 110, TRLMetaTextAlignment::Left },
    { 112, 400, TRLMetaTextAlignment::Left },
    { 402, 440, TRLMetaTextAlignment::Center },
    { 442, 520, TRLMetaTextAlignment::Right },
    { 522, 610, TRLMetaTextAlignment::Right },
    { 612, 700, TRLMetaTextAlignment::Right },
    { 702, 756, TRLMetaTextAlignment::Right },
};

QImage Logo()
{
    QImage logo(kLogoWidth, kLogoHeight, QImage::Format_RGB32);
    for (int y = 0; y < kLogoHeight; ++y)
        for (int x = 0; x < kLogoWidth; ++x)
            logo.setPixel(x, y, qRgb(x % 256, y * 3 % 256, 128));
    return logo;
}

void Text(TRLGraphicSurface& page, const TRect& rect, const QString& text, TRLMetaTextAlignment alignment)
{
    page.TextOutEx(rect, rect.Left, rect.Top, text, alignment, TRLMetaTextLayout::Top, 0);
}

void Header(TRLGraphicSurface& page, const QImage& logo)
{
    page.StretchDraw(TRect { 38, 38, 38 + kLogoWidth, 38 + kLogoHeight }, logo);
    TFont font;
    font.Name = QStringLiteral("Arial");
    font.SetSize(14);
    font.Style = fsBold;
    page.SetFont(font);
    Text(page, TRect { 220, 40, 756, 64 }, QStringLiteral("ORDEM DE COMPRA 7"), TRLMetaTextAlignment::Center);
    font.SetSize(9);
    font.Style = {};
    page.SetFont(font);
    Text(page, TRect { 220, 70, 756, 86 }, QStringLiteral("Fornecedor: Papelaria Central Ltda."),
        TRLMetaTextAlignment::Left);
    Text(page, TRect { 220, 88, 756, 104 }, QStringLiteral("Rua das Flores, 123 - São Paulo (SP)"),
        TRLMetaTextAlignment::Left);
    page.Rectangle(30, 30, 764, 230);
}

/// Owned by `owner`: an ownerless store would free itself when the export unlinks it.
TRLGraphicStorage* PrepareOrder(TComponent& owner, int items)
{
    auto* storage = new TRLGraphicStorage(&owner);
    storage->SetOrientation(1);
    storage->SetPaperWidth(210);
    storage->SetPaperHeight(297);
    storage->SetWidth(kPageWidth);
    storage->SetHeight(kPageHeight);
    storage->SetFirstPageNumber(1);
    const QImage logo = Logo();
    const int pageCount = (items + kRowsPerPage - 1) / kRowsPerPage;
    int item = 0;
    for (int n = 1; n <= pageCount; ++n) {
        auto page = std::make_unique<TRLGraphicSurface>();
        page->Width = kPageWidth;
        page->Height = kPageHeight;
        page->SetOrientation(1);
        page->SetPaperWidth(210);
        page->SetPaperHeight(297);
        Header(*page, logo);
        for (int row = 0; row < kRowsPerPage && item < items; ++row, ++item) {
            const int y = kFirstRowY + row * kRowHeight;
            const QString texts[]
                = { QString::number(100000 + item), QStringLiteral("Caneta esferográfica azul %1").arg(item),
                      QStringLiteral("UN"), QString::number(item % 50 + 1), QStringLiteral("1.234,56"),
                      QStringLiteral("61.728,00"), QStringLiteral("12%") };
            for (std::size_t c = 0; c < std::size(kColumns); ++c)
                Text(*page, TRect { kColumns[c].left, y, kColumns[c].right, y + kRowHeight }, texts[c],
                    kColumns[c].alignment);
        }
        Text(*page, TRect { 38, 1080, 756, 1096 }, QStringLiteral("Página %1 de {LastPageNumber}").arg(n),
            TRLMetaTextAlignment::Right);
        storage->Add(std::move(page));
    }
    storage->SetLastPageNumber(pageCount);
    return storage;
}

/// Seconds of CPU this process used: on a loaded machine the wall clock also counts waiting.
double CpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

double PeakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const TQuirelLibrary library;
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QString::fromLocal8Bit(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = { 1000, 10000 };
    const QTemporaryDir dir;
    for (const int items : sizes) {
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = CpuSeconds();
        TComponent owner(nullptr);
        TRLGraphicStorage* storage = PrepareOrder(owner, items);
        const double prepared = timer.nsecsElapsed() / 1e9;
        const double cpuPrepared = CpuSeconds();
        timer.restart();
        ExportPagesToPdf(*storage, dir.filePath(QStringLiteral("bench.pdf")));
        const double written = timer.nsecsElapsed() / 1e9;
        const double cpuWritten = CpuSeconds();
        std::printf("%6d items, %4d pages: prepared %.3f s (CPU %.3f), PDF written %.3f s (CPU %.3f), "
                    "total %.3f s (CPU %.3f), peak memory %.1f MB\n",
            items, storage->PageCount(), prepared, cpuPrepared - cpuStart, written, cpuWritten - cpuPrepared,
            prepared + written, cpuWritten - cpuStart, PeakMegabytes());
    }
    return 0;
}
