// Page flips of a 10,000-item order in the preview at 100 %: each flip reads the next page from
// the store (the cache holds five, so most come from the temporary file), lays the viewer out and
// paints the page synchronously. Prints the median, 90th percentile and worst flip.

#include "pages/RLGraphicStorage.h"
#include "preview/RLPreview.h"
#include "preview/RLPreviewBox.h"
#include "support/Startup.h"
#include "tests/preview/PreviewOrderPages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int kItems = 10000;
constexpr QSize kViewerSize { 1000, 1200 };
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const TQuirelLibrary library;

    QElapsedTimer clock;
    clock.start();
    const auto order = MakeOrderPages(kItems);
    const qint64 buildMs = clock.elapsed();
    TRLGraphicStorage& pages = *order->Storage;

    TRLPreview viewer;
    viewer.resize(kViewerSize);
    viewer.show();
    viewer.SetPages(&pages);
    viewer.SetZoomFactor(100);
    QApplication::processEvents();

    std::vector<double> flips;
    for (int pass = 0; pass < 2; ++pass) {
        viewer.FirstPage();
        for (int index = 1; index < pages.PageCount(); ++index) {
            clock.restart();
            viewer.NextPage();
            viewer.Box(0).repaint();
            flips.push_back(clock.nsecsElapsed() / 1e6);
        }
    }
    std::sort(flips.begin(), flips.end());
    const auto at
        = [&flips](double fraction) { return flips[std::size_t(fraction * double(flips.size() - 1))]; };
    std::printf("store: %d pages of %d items built in %lld ms\n", pages.PageCount(), kItems, buildMs);
    std::printf("page flip at 100 %%, %zu flips: median %.2f ms, 90th percentile %.2f ms, worst %.2f ms\n",
        flips.size(), at(0.5), at(0.9), flips.back());
    return 0;
}
