#include "XLSTestPages.h"

#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"

#include <QLocale>

namespace {

constexpr int kA4Width = 794;
constexpr int kA4Height = 1123;
constexpr quint16 kTextFlags = kTextFlagNoClip | kTextFlagKeepWhole;

} // namespace

const std::vector<int> kOrderColumnEdges { 38, 88, 168, 408, 448, 518, 608, 698, 756 };

const QStringList kOrderHeaders { QStringLiteral("Item"), QStringLiteral("Código"),
    QStringLiteral("Descrição"), QStringLiteral("Un"), QStringLiteral("Qtd"), QStringLiteral("Unitário"),
    QStringLiteral("Total"), QStringLiteral("IPI %") };

TFont TXLSTestText::DefaultTestFont()
{
    TFont font;
    font.Name = QStringLiteral("Arial");
    font.SetSize(8);
    font.Color = clBlack;
    return font;
}

std::unique_ptr<TRLGraphicSurface> MakeTextPage(const std::vector<TXLSTestText>& texts)
{
    auto page = std::make_unique<TRLGraphicSurface>();
    page->Width = kA4Width;
    page->Height = kA4Height;
    page->Open();
    for (const TXLSTestText& text : texts) {
        page->SetFont(text.Font);
        page->TextOutEx(
            text.Rect, text.Rect.Left, text.Rect.Top, text.Text, text.Alignment, text.Layout, kTextFlags);
    }
    return page;
}

TXLSTestStore::TXLSTestStore()
    : m_owner(std::make_unique<TComponent>(nullptr))
    , m_store(new TRLGraphicStorage(m_owner.get()))
{
}

TXLSTestStore::~TXLSTestStore() = default;

std::unique_ptr<TXLSTestStore> MakeStore(const std::vector<std::vector<TXLSTestText>>& pages)
{
    auto store = std::make_unique<TXLSTestStore>();
    for (const auto& texts : pages)
        (*store)->Add(MakeTextPage(texts));
    return store;
}

QString BrazilianNumber(double value, int decimals)
{
    return QLocale(QLocale::Portuguese, QLocale::Brazil).toString(value, 'f', decimals);
}

QStringList OrderItemTexts(int item)
{
    const double quantity = 1 + item % 7;
    const double price = 1234.5 + 10.25 * item;
    return { QString::number(item), QStringLiteral("REF-%1").arg(item, 5, 10, QLatin1Char('0')),
        QStringLiteral("Parafuso sextavado M%1 aço inox").arg(6 + item % 10), QStringLiteral("PC"),
        BrazilianNumber(quantity, 0), BrazilianNumber(price), BrazilianNumber(quantity * price),
        BrazilianNumber(5 + item % 3, 1) };
}

std::vector<TXLSTestText> OrderPage(int orderNumber, int firstItem, int itemRows)
{
    std::vector<TXLSTestText> texts;
    TXLSTestText title;
    title.Rect
        = TRect { kOrderColumnEdges.front(), kOrderTitleTop, kOrderColumnEdges.back(), kOrderTitleTop + 26 };
    title.Text = QStringLiteral("ORDEM DE COMPRA Nº %1").arg(orderNumber);
    title.Alignment = TRLMetaTextAlignment::Center;
    title.Font.SetSize(14);
    title.Font.Style = fsBold;
    texts.push_back(title);
    for (int c = 0; c < kOrderHeaders.size(); ++c) {
        TXLSTestText header;
        header.Rect = TRect { kOrderColumnEdges[std::size_t(c)], kOrderHeaderTop,
            kOrderColumnEdges[std::size_t(c) + 1], kOrderHeaderTop + kOrderRowHeight };
        header.Text = kOrderHeaders[c];
        header.Font.Style = fsBold;
        texts.push_back(header);
    }
    for (int r = 0; r < itemRows; ++r) {
        const QStringList cells = OrderItemTexts(firstItem + r);
        const int top = kOrderFirstItemTop + r * kOrderRowPitch;
        for (int c = 0; c < cells.size(); ++c) {
            TXLSTestText cell;
            cell.Rect = TRect { kOrderColumnEdges[std::size_t(c)], top, kOrderColumnEdges[std::size_t(c) + 1],
                top + kOrderRowHeight };
            cell.Text = cells[c];
            cell.Alignment = c >= 4 ? TRLMetaTextAlignment::Right : TRLMetaTextAlignment::Left;
            texts.push_back(cell);
        }
    }
    return texts;
}

std::unique_ptr<TXLSTestStore> MakeOrderStore(int pageCount, int itemRows)
{
    auto store = std::make_unique<TXLSTestStore>();
    for (int p = 0; p < pageCount; ++p)
        (*store)->Add(MakeTextPage(OrderPage(1, 1 + p * itemRows, itemRows)));
    return store;
}
