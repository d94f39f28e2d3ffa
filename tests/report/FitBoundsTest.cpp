// Centring in FitBounds: a new odd size rounds up to even; a size that stays is kept, so stored
// sizes survive printing.
#include "ControlTestSupport.h"

#include "report/RLDBMemo.h"
#include "report/RLLabel.h"

#include <gtest/gtest.h>

using enum TRLTextAlignment;
using enum TRLTextLayout;

using namespace Qt::StringLiterals;

namespace {

/// A caption whose measured width (with its trailing blank) is odd, or even.
QString CaptionOfParity(bool odd)
{
    for (const QString& caption : { u"Frete:"_s, u"Fornecedor:"_s, u"Emissão:"_s, u"I.E.:"_s, u"UF:"_s,
             u"CEP:"_s, u"Bairro:"_s, u"Cidade:"_s, u"Total"_s, u"W"_s, u"Wi"_s, u"Wii"_s })
        if ((QtWidth(caption + u" "_s, TestFont()) % 2 != 0) == odd)
            return caption;
    return {};
}

} // namespace

TEST(FitBounds, CentredLabelKeepsItsOddHeight)
{
    // A label sizes its width only; its height is the layout's even when centred vertically.
    ControlReport r;
    TRLBand* band = r.AddTitleBand(60);
    TRLLabel* label = AddLabel(r, band, u"Frete:"_s);
    label->SetLayout(tlCenter);
    label->SetBounds(100, 10, label->Width(), 17);
    EXPECT_EQ(label->Height(), 17);
    EXPECT_EQ(label->Top(), 10);
    ASSERT_TRUE(r.Prepare());
    const auto texts = r.TextObjects();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->BoundsRect.Height(), 17) << "printing re-fits the label; its height stays";
    EXPECT_EQ(texts[0]->BoundsRect.Top, 38 + 10);
    EXPECT_EQ(label->Height(), 17) << "and after printing";
}

TEST(FitBounds, CentredFixedSizeTextKeepsItsOddWidth)
{
    ControlReport r;
    TRLBand* band = r.AddTitleBand(60);
    TRLLabel* label = AddLabel(r, band, u"Ordem Compra:"_s);
    label->SetAutoSize(false);
    label->SetAlignment(taCenter);
    label->SetLayout(tlCenter);
    label->SetBounds(136, 20, 571, 15);
    EXPECT_EQ(label->BoundsRect(), TRect::FromSize(136, 20, 571, 15));
    ASSERT_TRUE(r.Prepare());
    const auto texts = r.TextObjects();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->BoundsRect, TRect::FromSize(38 + 136, 38 + 20, 571, 15));
}

TEST(FitBounds, CentredAutoSizeWidthStillRoundsUpToEven)
{
    struct Case {
        bool odd;
        const char* what;
    };
    for (const Case& c : { Case { true, "odd measured width" }, Case { false, "even measured width" } }) {
        const QString caption = CaptionOfParity(c.odd);
        ASSERT_FALSE(caption.isEmpty()) << c.what << ": no sample caption of that parity in this font";
        const int measured = QtWidth(caption + u" "_s, TestFont());
        const int expected = measured + (measured % 2);
        ControlReport r;
        TRLBand* band = r.AddTitleBand(60);
        TRLLabel* label = AddLabel(r, band, caption);
        label->SetAutoSize(false);
        label->SetBounds(100, 10, 200, 17);
        label->SetAlignment(taCenter);
        label->SetAutoSize(true);
        EXPECT_EQ(label->Width(), expected) << c.what;
        EXPECT_EQ(label->Left(), 100 + (200 - expected) / 2) << c.what << ": centred on the old box";
        EXPECT_EQ(label->Height(), 17) << c.what;
    }
}

TEST(FitBounds, CentredMemoKeepsItsOddWidth)
{
    // A memo sizes its height only; centring its lines must not widen it.
    ControlReport r;
    TRLBand* band = r.AddTitleBand(60);
    auto* memo = new TRLDBMemo(&r.form);
    memo->SetParent(band);
    memo->SetFont(TestFont());
    memo->SetBounds(16, 4, 681, 13);
    memo->SetAlignment(taCenter);
    EXPECT_EQ(memo->Width(), 681);
    EXPECT_EQ(memo->Left(), 16);
}
