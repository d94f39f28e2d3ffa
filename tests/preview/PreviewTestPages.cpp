#include "tests/preview/PreviewTestPages.h"

#include "pages/RLGraphicSurface.h"

namespace {
constexpr double kA4WidthMm = 210.0;
constexpr double kA4HeightMm = 297.0;
constexpr int kTextLeft = 40;
constexpr int kTextTop = 60;
constexpr int kTextHeight = 20;
constexpr int kTextWidth = 300;
constexpr int kRectangleGroup = 7;

void WriteText(TRLGraphicSurface& page, const TRect& rect, const QString& text, qint32 groupId = 0)
{
    page.TextOutEx(rect, rect.Left, rect.Top, text, TRLMetaTextAlignment::Left, TRLMetaTextLayout::Top, 0);
    page.Objects(page.ObjectCount() - 1)->GroupId = groupId;
}
}

QPoint TextPosition(int index)
{
    return { kTextLeft, kTextTop + index * kTextHeight };
}

std::unique_ptr<TPreviewPages> MakePreviewPages(const std::vector<QStringList>& texts, int firstPageNumber)
{
    auto pages = std::make_unique<TPreviewPages>();
    TRLGraphicStorage& storage = *pages->Storage;
    for (std::size_t n = 0; n < texts.size(); ++n) {
        auto page = std::make_unique<TRLGraphicSurface>();
        page->Width = kA4Width;
        page->Height = kA4Height;
        page->SetOrientation(TRLPageOrientation::poPortrait);
        page->SetPaperWidth(kA4WidthMm);
        page->SetPaperHeight(kA4HeightMm);
        TFont font = page->Font();
        font.Name = QStringLiteral("Arial");
        font.Height = -13;
        page->SetFont(font);
        for (int index = 0; index < texts[n].size(); ++index) {
            const QPoint at = TextPosition(index);
            WriteText(*page, TRect::FromSize(at.x(), at.y(), kTextWidth, kTextHeight), texts[n][index]);
        }
        auto& box = page->AddObject<TRLRectangleObject>();
        box.BoundsRect = TRect { 400, 600, 700, 800 };
        box.GroupId = kRectangleGroup;
        WriteText(*page, TRect { 420, 620, 680, 640 }, QStringLiteral("Quadro"), kRectangleGroup);
        WriteText(*page, TRect { 40, 1060, 400, 1080 },
            QStringLiteral("Página %1 de {LastPageNumber}").arg(firstPageNumber + int(n)));
        storage.Add(std::move(page));
    }
    storage.SetOrientation(TRLPageOrientation::poPortrait);
    storage.SetPaperWidth(kA4WidthMm);
    storage.SetPaperHeight(kA4HeightMm);
    storage.SetWidth(kA4Width);
    storage.SetHeight(kA4Height);
    storage.SetFirstPageNumber(firstPageNumber);
    storage.SetLastPageNumber(firstPageNumber + storage.PageCount() - 1);
    storage.SetTitle(QStringLiteral("Pedido de teste"));
    return pages;
}

std::unique_ptr<TPreviewPages> MakeNumberedPages(int count, int firstPageNumber)
{
    std::vector<QStringList> texts;
    for (int n = 1; n <= count; ++n)
        texts.push_back({ QStringLiteral("Page %1").arg(n), QStringLiteral("Total %1").arg(n) });
    return MakePreviewPages(texts, firstPageNumber);
}
