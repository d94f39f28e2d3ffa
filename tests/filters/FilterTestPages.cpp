#include "tests/filters/FilterTestPages.h"

#include "pages/RLGraphicSurface.h"

namespace {
constexpr double kA4WidthMm = 210.0;
constexpr double kA4HeightMm = 297.0;
}

std::unique_ptr<TTestPages> MakeStore()
{
    auto pages = std::make_unique<TTestPages>();
    TRLGraphicStorage& storage = *pages->Storage;
    storage.SetOrientation(TRLPageOrientation::poPortrait);
    storage.SetPaperWidth(kA4WidthMm);
    storage.SetPaperHeight(kA4HeightMm);
    storage.SetWidth(kA4Width);
    storage.SetHeight(kA4Height);
    storage.SetFirstPageNumber(1);
    storage.SetLastPageNumber(0);
    return pages;
}

void AddPage(TTestPages& pages, const std::function<void(TRLGraphicSurface&)>& draw)
{
    auto page = std::make_unique<TRLGraphicSurface>();
    page->Width = kA4Width;
    page->Height = kA4Height;
    page->SetOrientation(TRLPageOrientation::poPortrait);
    page->SetPaperWidth(kA4WidthMm);
    page->SetPaperHeight(kA4HeightMm);
    draw(*page);
    TRLGraphicStorage& storage = *pages.Storage;
    storage.Add(std::move(page));
    storage.SetLastPageNumber(storage.PageCount());
}

std::unique_ptr<TTestPages> MakePages(int count)
{
    auto pages = MakeStore();
    for (int n = 1; n <= count; ++n) {
        AddPage(*pages, [n](TRLGraphicSurface& page) {
            page.TextOutEx(TRect { 40, 40, 300, 60 }, 40, 40, QStringLiteral("Page %1").arg(n),
                TRLMetaTextAlignment::Left, TRLMetaTextLayout::Top, 0);
            page.Rectangle(40, 80, 400, 200);
        });
    }
    return pages;
}

QImage LogoPicture()
{
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixelColor(0, 0, Qt::red);
    return picture;
}
