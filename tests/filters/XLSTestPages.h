#pragma once

#include "pages/RLGraphicObjects.h"
#include "platform/Graphics.h"
#include "platform/Rect.h"
#include "support/LocaleTexts.h"

#include <QString>
#include <memory>
#include <vector>

class TComponent;
class TRLGraphicStorage;
class TRLGraphicSurface;

// Page stores built with the page-store API the way the report lays out a purchase order, for the
// filter's own tests; the real orders of the sample database are exported by the program in
// tests/app.

struct TXLSTestText {
    TRect Rect;
    QString Text;
    TRLMetaTextAlignment Alignment = TRLMetaTextAlignment::Left;
    TRLMetaTextLayout Layout = TRLMetaTextLayout::Top;
    TFont Font = DefaultTestFont();

    static TFont DefaultTestFont();
};

/// An A4 page (794 x 1123 dots) holding the texts, in order.
std::unique_ptr<TRLGraphicSurface> MakeTextPage(const std::vector<TXLSTestText>& texts);
/// A store kept alive by an owner of its own: an ownerless store frees itself when the last
/// filter run that used it ends.
class TXLSTestStore {
public:
    TXLSTestStore();
    ~TXLSTestStore();
    TRLGraphicStorage& operator*() const { return *m_store; }
    TRLGraphicStorage* operator->() const { return m_store; }

private:
    std::unique_ptr<TComponent> m_owner;
    TRLGraphicStorage* m_store;
};

/// A store of pages, one per text list.
std::unique_ptr<TXLSTestStore> MakeStore(const std::vector<std::vector<TXLSTestText>>& pages);

/// The item table's column edges in dots: item, code, description, unit, quantity, unit price,
/// total, tax rate; the last entry is the table's right edge.
extern const std::vector<int> kOrderColumnEdges;
constexpr int kOrderTitleTop = 30;
constexpr int kOrderHeaderTop = 70;
constexpr int kOrderFirstItemTop = 90;
constexpr int kOrderRowPitch = 20;
constexpr int kOrderRowHeight = 18;

/// The order's column titles.
extern const QStringList kOrderHeaders;

/// A number as the order prints it under pt_BR: "1.234,50".
QString BrazilianNumber(double value, int decimals = 2);

/// The texts of one order item row (1-based item number `item`).
QStringList OrderItemTexts(int item);
/// A purchase-order page: a bold title merged across the table, the header row, then the item
/// rows from `firstItem` on.
std::vector<TXLSTestText> OrderPage(int orderNumber, int firstItem, int itemRows);
/// A store of `pageCount` order pages of `itemRows` rows each.
std::unique_ptr<TXLSTestStore> MakeOrderStore(int pageCount, int itemRows);

/// The library's Portuguese texts (sheets named "Página1", ...) for one test; the locale's
/// afterwards.
class TXLSPortugueseTexts {
public:
    TXLSPortugueseTexts() { SelectLanguage(TLanguage::Portuguese); }
    ~TXLSPortugueseTexts() { SelectLanguage(); }
    TXLSPortugueseTexts(const TXLSPortugueseTexts&) = delete;
    TXLSPortugueseTexts& operator=(const TXLSPortugueseTexts&) = delete;
};
