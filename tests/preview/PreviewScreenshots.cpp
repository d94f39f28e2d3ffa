// Shows the preview of a multi-page store (or of a page file given as second argument) at full
// page, at 100 % and in three-page mode, and saves each window as a PNG into the directory named
// by the first argument. Runs on a real X server (xvfb-run); fails when a picture shows no page.

#include "pages/RLGraphicStorage.h"
#include "preview/RLPreview.h"
#include "preview/RLPreviewForm.h"
#include "preview/RLPreviewPages.h"
#include "support/LocaleTexts.h"
#include "support/Startup.h"
#include "support/Translations.h"
#include "tests/preview/PreviewOrderPages.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTest>
#include <cstdio>

using enum TRLWindowState;

namespace {
constexpr QSize kWindowSize { 1200, 900 };

/// A picture of the preview holds white page area and dark print.
bool ShowsAPage(const QImage& image)
{
    int white = 0;
    int dark = 0;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel == Qt::white)
                ++white;
            else if (pixel.lightness() < 64)
                ++dark;
        }
    }
    return white > 1000 && dark > 50;
}

bool Save(TRLPreviewForm& form, const QString& fileName)
{
    QTest::qWait(200);
    const QImage image = form.grab().toImage();
    if (!image.save(fileName) || !ShowsAPage(image)) {
        std::fprintf(stderr, "%s: no page in the picture\n", qPrintable(fileName));
        return false;
    }
    std::printf("%s\n", qPrintable(fileName));
    return true;
}
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const TQuirelLibrary library;
    SelectLanguage(TLanguage::Portuguese);
    InstallTranslations(TLanguage::Portuguese);
    if (argc < 2) {
        std::fprintf(stderr, "usage: preview_screenshots OUTPUT_DIR [PAGE_FILE]\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    TComponent owner(nullptr);
    std::unique_ptr<TOrderPages> order;
    TRLGraphicStorage* pages = nullptr;
    if (argc > 2) {
        pages = new TRLGraphicStorage(&owner);
        pages->LoadFromFile(QString::fromLocal8Bit(argv[2]));
    } else {
        order = MakeOrderPages(100);
        pages = order->Storage;
    }
    TRLPreviewWindowOptions options;
    options.WindowState = wsNormal;
    TRLPreviewForm* form = PreviewPages(*pages, false, options);
    form->resize(kWindowSize);
    QTest::qWait(200);
    TRLPreview& viewer = form->ActiveViewer();
    bool ok = true;
    viewer.ZoomFullPage();
    ok &= Save(*form, output.filePath(QStringLiteral("preview-full-page.png")));
    viewer.SetMultipleMode(false);
    viewer.SetZoomFactor(100);
    form->ShowZoom();
    ok &= Save(*form, output.filePath(QStringLiteral("preview-100.png")));
    viewer.ZoomMultiplePages();
    ok &= Save(*form, output.filePath(QStringLiteral("preview-three-pages.png")));
    delete form;
    return ok ? 0 : 1;
}
