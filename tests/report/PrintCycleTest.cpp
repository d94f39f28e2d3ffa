#include "ReportFixture.h"

#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "report/RLForeignControl.h"
#include "report/RLUserInterface.h"

#include <QImage>
#include <gtest/gtest.h>

using enum TRLBandType;
using enum TRLCompletionType;
using enum TRLControlBehaviorItem;
using enum TRLReportPhase;

using namespace Qt::StringLiterals;

namespace {

class RecordingProgress : public TRLProgress {
public:
    explicit RecordingProgress(QStringList& log)
        : m_log(log)
    {
    }
    void SetMaximum(int maximum) override { m_log << u"max %1"_s.arg(maximum); }
    void StepIt() override { m_log << u"step"_s; }
    void SetText(const QString& text) override { m_log << text; }

private:
    QStringList& m_log;
};

} // namespace

TEST(PrintCycle, DetailAndResetNotices)
{
    ReportFixture f(3);
    TRLBand* header = f.AddBand(btHeader, 20, u"H"_s);
    TRLBand* detail = f.AddBand(btDetail, 20, u"D"_s, true);
    detail->Completion = ctMaxBands;
    f.report->MaxBands = 5;
    auto* headerText = static_cast<TTestText*>(header->Controls().front());
    auto* detailText = static_cast<TTestText*>(detail->Controls().front());
    ASSERT_TRUE(f.report->Prepare());
    EXPECT_EQ(f.Words(0).size(), 6) << "three details, two blank copies";
    EXPECT_EQ(detailText->DetailNotices, 3) << "blank copies are not counted";
    EXPECT_EQ(headerText->DetailNotices, 3) << "the pager passes each count to its other bands";
    EXPECT_EQ(f.report->DetailsPrinted(), 3);
    EXPECT_EQ(detailText->ResetNotices, 1);
    EXPECT_EQ(headerText->ResetNotices, 1);
}

TEST(PrintCycle, SiteExpanderGrowsTheBandOnThePage)
{
    ReportFixture f(2);
    TRLBand* detail = f.AddBand(btDetail, 20, u"D"_s, true);
    auto* text = static_cast<TTestText*>(detail->Controls().front());
    text->SetBehavior(beSiteExpander);
    text->NaturalWidth = 50;
    text->NaturalHeight = 50;
    text->SetAutoSize(true);
    text->SetHeight(10);
    ASSERT_EQ(detail->Height(), 20);
    ASSERT_TRUE(f.report->Prepare());
    // The 10-pixel text grows to 50 while printing, so each band prints 60 high.
    EXPECT_EQ(f.Texts(0), QStringList({ u"D1@38,38"_s, u"D2@38,98"_s }));
    EXPECT_EQ(detail->Height(), 20) << "the design height comes back";
    EXPECT_EQ(text->Height(), 10);
}

TEST(PrintCycle, ProgressFollowsTheRecordsAndCancels)
{
    QStringList log;
    RLUserInterface().CreateProgress
        = [&](const QString& caption, int reports, std::function<void()> cancel) {
              log << caption << QString::number(reports);
              auto progress = std::make_unique<RecordingProgress>(log);
              cancel();
              return progress;
          };
    ReportFixture f(2);
    f.report->ShowProgress = true;
    f.AddBand(btDetail, 20, u"D"_s, true);
    EXPECT_FALSE(f.report->Prepare()) << "the cancel button was pressed at once";
    RLUserInterface().CreateProgress = nullptr;
    EXPECT_EQ(log, QStringList({ u"Preparando o relatório..."_s, u"1"_s, u"max 2"_s }));
    EXPECT_EQ(f.report->ReportPhase(), rpIdle);
    EXPECT_EQ(f.PageCount(), 1) << "the page begun is still finished and stored";

    log.clear();
    RLUserInterface().CreateProgress = [&](const QString&, int, std::function<void()>) {
        return std::make_unique<RecordingProgress>(log);
    };
    EXPECT_TRUE(f.report->Prepare());
    RLUserInterface().CreateProgress = nullptr;
    EXPECT_EQ(log, QStringList({ u"max 2"_s, u"step"_s, u"Página 1"_s, u"step"_s, u"Página 1"_s }));
}

TEST(PrintCycle, ForeignControlsPrintAsPictures)
{
    ReportFixture f(0);
    TRLBand* header = f.AddBand(btHeader, 40, u"H"_s);
    auto* painted = new TRLForeignControl(&f.form);
    painted->SetParent(header);
    painted->SetBounds(100, 5, 30, 20);
    painted->Painter = [](QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::red);
        return image;
    };
    auto* unpainted = new TRLForeignControl(&f.form);
    unpainted->SetParent(header);
    unpainted->SetBounds(200, 5, 30, 20);
    ASSERT_TRUE(f.report->Prepare());
    TRLGraphicSurface* page = f.report->Pages()->Pages(0);
    ASSERT_NE(page, nullptr);
    QList<TRect> images;
    for (int i = 0; i < page->ObjectCount(); ++i)
        if (page->Objects(i)->Kind() == TRLObjectKind::Image)
            images << page->Objects(i)->BoundsRect;
    EXPECT_EQ(images, QList<TRect>({ { 138, 43, 168, 63 } }))
        << "one picture; the control without a painter is left out";
}

TEST(PrintCycle, OpaqueBandsFillTheirBackground)
{
    ReportFixture f(1);
    TRLBand* detail = f.AddBand(btDetail, 30, u"D"_s, true);
    detail->SetColor(clYellow);
    ASSERT_TRUE(f.report->Prepare());
    TRLGraphicSurface* page = f.report->Pages()->Pages(0);
    ASSERT_NE(page, nullptr);
    QList<TRect> fills;
    for (int i = 0; i < page->ObjectCount(); ++i)
        if (page->Objects(i)->Kind() == TRLObjectKind::FillRect)
            fills << page->Objects(i)->BoundsRect;
    EXPECT_EQ(fills, QList<TRect>({ { 38, 38, 756, 68 } }));
}
