#include "ReportTestSupport.h"
#include "tests/common/TestHelpers.h"

#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "platform/Exceptions.h"
#include "report/RLBand.h"
#include "report/RLBorders.h"
#include "report/RLGroup.h"
#include "report/RLMargins.h"
#include "report/RLPageSetup.h"
#include "report/RLReport.h"

#include <gtest/gtest.h>

#include <functional>

using enum TRLBandType;
using enum TRLBorderSide;
using enum TRLBorderSides;
using enum TRLPageOrientation;
using enum TRLPrintQuality;

using namespace Qt::StringLiterals;

namespace {

struct Layout {
    TComponent form { nullptr };
    TRLReport* report = new TRLReport(&form);
    TRLBand* band = new TRLBand(&form);
    TTestText* text = new TTestText(&form);

    Layout()
    {
        report->SetName(u"RLReport1"_s);
        report->ShowProgress = false;
        band->SetName(u"RLBand1"_s);
        band->SetParent(report);
        band->SetBandType(btHeader);
        text->SetName(u"RLLabel1"_s);
        text->SetParent(band);
    }
};

/// Reaches the engine's state guard from outside the control.
struct GuardedControl : TRLCustomControl {
    using TRLCustomControl::TRLCustomControl;

    bool Printing() const { return HasState(kStatePrinting); }
    void WhilePrinting(const std::function<void()>& body)
    {
        StateGuard printing(*this, kStatePrinting);
        body();
    }
};

} // namespace

TEST(ControlModel, StateGuardPutsTheStateBackAsItWas)
{
    TComponent form(nullptr);
    auto* control = new GuardedControl(&form);
    control->WhilePrinting([control] {
        control->WhilePrinting([control] { EXPECT_TRUE(control->Printing()); });
        EXPECT_TRUE(control->Printing()) << "an inner guard for the same bit keeps it set";
    });
    EXPECT_FALSE(control->Printing());
    EXPECT_THROW(control->WhilePrinting([] { throw EReportError(u"x"_s); }), EReportError);
    EXPECT_FALSE(control->Printing()) << "cleared on failure too";
}

TEST(ControlModel, CaptionReadsRuntimeTextOnlyWhilePrinting)
{
    Layout layout;
    layout.text->SetCaption(u"Design"_s);
    layout.text->BeforeText = [](TComponent*, QString& text, bool&) { text = u"Printed"_s; };
    QString seenWhilePrinting;
    layout.text->AfterPrint
        = [&](TComponent* sender) { seenWhilePrinting = static_cast<TRLCustomControl*>(sender)->Caption(); };
    ASSERT_TRUE(layout.report->Prepare());
    EXPECT_EQ(seenWhilePrinting, u"Printed"_s);
    EXPECT_EQ(layout.text->Caption(), u"Design"_s);
    EXPECT_EQ(PageWords(*layout.report->Pages(), 0), QStringList { u"Printed"_s });
}

TEST(ControlModel, FriendlyNameRules)
{
    TComponent form(nullptr);
    auto* first = new TTestText(&form);
    first->SetName(u"RLLabel1"_s);
    auto* second = new TTestText(&form);
    second->SetName(u"RLLabel2"_s);
    first->SetFriendlyName(u"Total"_s);

    struct Case {
        QString value;
        QString error;
        const char* what;
    };
    const Case cases[] = {
        { u"TOTAL"_s, u"Nome já utilizado \"TOTAL\""_s, "duplicate, other case" },
        { u"1abc"_s, u"Nome inválido \"1abc\""_s, "starts with a digit" },
        { u"a b"_s, u"Nome inválido \"a b\""_s, "contains a blank" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf([&] { second->SetFriendlyName(c.value); }), c.error) << c.what;
    EXPECT_TRUE(second->FriendlyName().isEmpty());

    second->SetFriendlyName(u"Subtotal_2"_s);
    EXPECT_EQ(second->FriendlyName(), u"Subtotal_2"_s);
    EXPECT_EQ(second->DisplayName(), u"Subtotal_2"_s);
    second->SetFriendlyName(u"RLLabel2"_s);
    EXPECT_TRUE(second->FriendlyName().isEmpty()) << "the component name clears it";
    EXPECT_EQ(second->DisplayName(), u"RLLabel2"_s);

    second->BeginLoading();
    second->SetFriendlyName(u"9bad"_s);
    second->EndLoading();
    EXPECT_TRUE(second->FriendlyName().isEmpty()) << "an invalid stored value is dropped while loading";
}

TEST(ControlModel, ColourAndTransparency)
{
    Layout layout;
    TTestText* text = layout.text;
    EXPECT_TRUE(text->Transparent());
    text->SetColor(clWhite);
    EXPECT_TRUE(text->Transparent()) << "white keeps the control transparent";
    text->SetColor(clRed);
    EXPECT_FALSE(text->Transparent());

    text->SetTransparent(true);
    EXPECT_TRUE(text->ParentColor());
    EXPECT_EQ(text->Color(), layout.band->Color());

    text->BeginLoading();
    text->SetTransparent(true);
    text->SetColor(clBlue);
    text->EndLoading();
    EXPECT_TRUE(text->Transparent()) << "a stored colour does not change the stored transparency";

    layout.report->SetColor(clYellow);
    EXPECT_FALSE(layout.report->Transparent());
    layout.report->SetTransparent(true);
    EXPECT_EQ(layout.report->Color(), clWhite);
}

TEST(ControlModel, ReportDefaults)
{
    Layout layout;
    TRLReport* report = layout.report;
    EXPECT_EQ(report->Font().Name, u"Arial"_s);
    EXPECT_EQ(report->Font().Size(), 10);
    EXPECT_EQ(report->Font().Color, clBlack);
    EXPECT_FALSE(report->ParentFont());
    EXPECT_EQ(report->Color(), clWhite);
    EXPECT_TRUE(report->PrintEmpty);
    EXPECT_EQ(report->Margins()->LeftMargin(), 10.0);
    EXPECT_FALSE(report->Margins()->IsStored(TRLMargins::kLeft));
    EXPECT_EQ(report->ClientRect(), (TRect { 38, 38, 756, 1085 }));
    // A band aligned to the top takes the client width: every band of the order starts at 38, 718 wide.
    EXPECT_EQ(layout.band->Left(), 38);
    EXPECT_EQ(layout.band->Width(), 718);
    EXPECT_EQ(layout.band->Top(), 38);
}

TEST(ControlModel, PaperSizeInPixels)
{
    Layout layout;
    TRLReport* report = layout.report;
    TRLPageSetup* setup = report->PageSetup();
    EXPECT_EQ(QSize(report->Width(), report->Height()), QSize(794, 1123)) << "A4 portrait";

    report->SetBounds(0, 0, 10, 10);
    EXPECT_EQ(QSize(report->Width(), report->Height()), QSize(794, 1123)) << "the paper overrides bounds";

    setup->SetOrientation(poLandscape);
    EXPECT_EQ(QSize(report->Width(), report->Height()), QSize(1123, 794)) << "A4 landscape";
    setup->SetOrientation(poPortrait);

    setup->SetPaperWidth(100);
    EXPECT_EQ(setup->PaperWidth(), 210.0) << "width is fixed by the table unless custom";

    setup->SetPaperSize(TRLPaperSize::fpCustom);
    setup->SetPaperWidth(100);
    setup->SetPaperHeight(200);
    setup->SetPaperHeight(-5);
    EXPECT_EQ(setup->PaperHeight(), 200.0) << "a custom size stays above 0";
    // 100 mm = 377.95 px and 200 mm = 755.91 px, rounded.
    EXPECT_EQ(QSize(report->Width(), report->Height()), QSize(378, 756));

    setup->SetPaperSize(TRLPaperSize::fpDefault);
    report->SetBounds(0, 0, 500, 600);
    EXPECT_EQ(QSize(report->Width(), report->Height()), QSize(500, 600)) << "fpDefault keeps the given size";
}

TEST(ControlModel, LookupsAndTheirErrors)
{
    Layout layout;
    TComponent& form = layout.form;
    auto* group = new TRLGroup(&form);
    group->SetName(u"RLGroup1"_s);
    group->SetParent(layout.report);
    auto* groupBand = new TRLBand(&form);
    groupBand->SetParent(group);
    auto* inGroup = new TTestText(&form);
    inGroup->SetParent(groupBand);

    EXPECT_EQ(layout.text->OwnerReport(), layout.report);
    EXPECT_EQ(layout.text->OwnerBand(), layout.band);
    EXPECT_EQ(layout.text->OwnerSite(), layout.band);
    EXPECT_EQ(layout.text->OwnerPager(), layout.report);
    EXPECT_EQ(layout.text->OwnerSkipper(), layout.report);
    EXPECT_EQ(layout.text->OwnerGroup(), nullptr);
    EXPECT_EQ(layout.report->OwnerReport(), layout.report) << "the report itself counts";
    EXPECT_EQ(layout.report->OwnerPager(), nullptr) << "the control itself does not count";
    EXPECT_EQ(inGroup->OwnerGroup(), group);
    EXPECT_EQ(inGroup->OwnerPager(), group);
    EXPECT_EQ(inGroup->OwnerSkipper(), layout.report);

    auto* orphan = new TTestText(&form);
    orphan->SetName(u"RLLabel9"_s);
    struct Case {
        std::function<void()> action;
        QString error;
    };
    const Case cases[] = {
        { [&] { orphan->RequirePager(); }, u"Não encontrado: RLLabel9.ParentPager"_s },
        { [&] { orphan->RequireSkipper(); }, u"Não encontrado: RLLabel9.ParentSkipper"_s },
        { [&] { orphan->RequireReport(); }, u"Não encontrado: RLLabel9.ParentReport"_s },
        { [&] { orphan->RequireSurface(); }, u"Não encontrado: RLLabel9.ParentSurface"_s },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf(c.action), c.error);
}

TEST(ControlModel, BandDroppedOnBandJoinsItsContainer)
{
    Layout layout;
    auto* second = new TRLBand(&layout.form);
    second->SetParent(layout.band);
    EXPECT_EQ(second->Parent(), layout.report);
}

TEST(ControlModel, InvisibleControlFiresNothingAndPrintsNothing)
{
    Layout layout;
    layout.text->SetCaption(u"Hidden"_s);
    layout.text->SetVisible(false);
    int events = 0;
    layout.text->BeforePrint = [&](TComponent*, bool&) { ++events; };
    layout.text->BeforeText = [&](TComponent*, QString&, bool&) { ++events; };
    ASSERT_TRUE(layout.report->Prepare());
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(PageWords(*layout.report->Pages(), 0).isEmpty());
}

TEST(ControlModel, DeclinedTextKeepsItsPreviousRuntimeCaption)
{
    Layout layout;
    TComponent* dataOwner = &layout.form;
    Q_UNUSED(dataOwner);
    int calls = 0;
    layout.text->Text = [&] { return u"Text%1"_s.arg(++calls); };
    QStringList printed;
    layout.text->BeforeText = [&](TComponent*, QString& text, bool& printIt) {
        printIt = text != u"Text2"_s;
        if (text == u"Text1"_s)
            text = u"Changed"_s;
    };
    layout.report->OnFilterText = [&](TComponent* sender, QString& text, bool&) {
        EXPECT_EQ(sender, layout.report);
        printed << text;
    };
    int records = 0;
    layout.report->OnNeedData = [&](TComponent*, bool& more) { more = ++records <= 2; };
    layout.band->SetBandType(btDetail);
    QString captionAfterDecline;
    layout.band->AfterPrint = [&](TComponent*) {
        if (calls == 2)
            captionAfterDecline = layout.text->Caption();
    };
    ASSERT_TRUE(layout.report->Prepare());
    EXPECT_EQ(printed, QStringList { u"Changed"_s });
    EXPECT_EQ(captionAfterDecline, u"Changed"_s);
    EXPECT_EQ(PageWords(*layout.report->Pages(), 0), QStringList { u"Changed"_s });
}

TEST(ControlModel, TextChangedBeforePrintRefitsTheControl)
{
    Layout layout;
    layout.text->NaturalWidth = 30;
    layout.text->SetAutoSize(true);
    int widthWhenPrinted = 0;
    layout.text->BeforeText = [&](TComponent*, QString& text, bool&) {
        text = u"Longer"_s;
        layout.text->NaturalWidth = 70;
    };
    layout.text->AfterPrint = [&](TComponent*) { widthWhenPrinted = layout.text->Width(); };
    ASSERT_TRUE(layout.report->Prepare());
    EXPECT_EQ(widthWhenPrinted, 70);
    EXPECT_EQ(layout.text->Width(), 30) << "design bounds come back after printing";
}

TEST(ControlModel, BaseEmitDrawsBackgroundAndBorders)
{
    Layout layout;
    TTestText* text = layout.text;
    text->SetBounds(0, 0, 100, 20);
    TRLGraphicSurface* surface = text->RequireSurface();
    surface->Width = 200;
    surface->Height = 50;
    surface->Open();

    text->EmitBackgroundAndBorders();
    EXPECT_EQ(surface->ObjectCount(), 0) << "transparent, without border sides";

    text->Borders()->SetWidth(3);
    text->Borders()->SetSides(sdAll);
    text->EmitBackgroundAndBorders();
    ASSERT_EQ(surface->ObjectCount(), 4);
    const TRect expected[] = { { 0, 0, 3, 20 }, { 0, 0, 100, 3 }, { 97, 0, 100, 20 }, { 0, 17, 100, 20 } };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(surface->Objects(i)->Kind(), TRLObjectKind::Rectangle) << i;
        EXPECT_EQ(surface->Objects(i)->BoundsRect, expected[i]) << "bar " << i;
    }

    surface->Clear();
    text->Borders()->SetSides(sdNone);
    text->SetColor(clRed);
    text->EmitBackgroundAndBorders();
    ASSERT_EQ(surface->ObjectCount(), 1);
    EXPECT_EQ(surface->Objects(0)->Kind(), TRLObjectKind::FillRect);
    EXPECT_EQ(surface->Objects(0)->BoundsRect, (TRect { 0, 0, 100, 20 }));
}

TEST(ControlModel, FixedOnlyQualityPrintsOnlyFixedSides)
{
    Layout layout;
    TRLBorders* borders = layout.text->Borders();
    borders->SetSides(sdAll);
    borders->SetFixed(bsLeft, true);
    EXPECT_EQ(borders->Insets(), (TRLInsets { 1, 1, 1, 1 }));
    layout.report->PrintQuality = pqFixedOnly;
    EXPECT_EQ(borders->Insets(), (TRLInsets { 1, 0, 0, 0 }));

    borders->SetSides(sdNone);
    borders->SetFixed(bsBottom, true);
    EXPECT_TRUE(borders->DrawBottom());
    EXPECT_EQ(borders->Sides(), sdCustom);
}
