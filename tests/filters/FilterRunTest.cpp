#include "filters/RLFilterProgress.h"
#include "filters/RLFilters.h"
#include "filters/RLSpoolFilter.h"
#include "pages/RLGraphicSurface.h"
#include "platform/Exceptions.h"
#include "support/LocaleTexts.h"
#include "tests/common/TestHelpers.h"
#include "tests/filters/FilterTestPages.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QThread>
#include <gtest/gtest.h>

namespace {

/// Records the filter's steps; can fail or cancel at a chosen page.
class TRecordingFilter : public TRLCustomSaveFilter {
public:
    explicit TRecordingFilter(TComponent* owner = nullptr)
        : TRLCustomSaveFilter(owner)
    {
    }

    QStringList Log;
    int FailAtPage = 0;
    int CancelAtPage = 0;
    bool FailAtBegin = false;
    /// Also logs the store's title at BeginDoc and the shown texts of each page.
    bool LogTexts = false;
    /// EndDoc calls of runs that failed, whose output a file filter drops.
    int DroppedRuns = 0;

protected:
    void InternalBeginDoc() override
    {
        if (FailAtBegin)
            throw EReportError(QStringLiteral("cannot begin"));
        Log << QStringLiteral("BeginDoc");
        if (LogTexts)
            Log << QStringLiteral("Title ") + Pages()->Title();
    }
    void InternalEndDoc() override
    {
        Log << QStringLiteral("EndDoc");
        if (RunFailed())
            ++DroppedRuns;
    }
    void InternalNewPage() override { Log << QStringLiteral("NewPage"); }
    void InternalDrawPage(TRLGraphicSurface& page) override
    {
        const int number = page.PageIndex() + 1;
        if (number == FailAtPage)
            throw EReportError(QStringLiteral("page %1 failed").arg(number));
        Log << QStringLiteral("DrawPage %1").arg(number);
        for (int i = 0; LogTexts && i < page.ObjectCount(); ++i) {
            if (page.Objects(i)->Kind() == TRLObjectKind::Text)
                Log << static_cast<const TRLTextObject*>(page.Objects(i))->DisplayText();
        }
        if (number == CancelAtPage)
            SetCanceled(true);
    }
};

class TRecordingPrintFilter : public TRLCustomPrintFilter {
public:
    TRecordingPrintFilter()
        : TRLCustomPrintFilter(nullptr)
    {
    }

protected:
    void InternalBeginDoc() override { }
    void InternalEndDoc() override { }
    void InternalNewPage() override { }
    void InternalDrawPage(TRLGraphicSurface&) override { }
};

/// A progress window that writes its calls into a shared log, noting the thread of each.
struct TProgressLog {
    QStringList Calls;
    bool AllOnGuiThread = true;
    std::function<void()> Cancel;
    int CancelAtStep = 0;

    void Note(const QString& call)
    {
        Calls << call;
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            AllOnGuiThread = false;
    }
};

class TLoggedProgress : public TRLFilterProgress {
public:
    explicit TLoggedProgress(TProgressLog& log)
        : m_log(log)
    {
    }
    ~TLoggedProgress() override { m_log.Note(QStringLiteral("free")); }
    void SetMaxProgress(int maximum) override { m_log.Note(QStringLiteral("max %1").arg(maximum)); }
    void StepForward() override
    {
        m_log.Note(QStringLiteral("step"));
        if (++m_steps == m_log.CancelAtStep)
            m_log.Cancel();
    }

private:
    TProgressLog& m_log;
    int m_steps = 0;
};

/// Registers the logged progress window for the test's lifetime.
class TProgressRegistration {
public:
    explicit TProgressRegistration(TProgressLog& log)
    {
        SetFilterProgressFactory([&log](const QString& caption, std::function<void()> cancel) {
            log.Note(QStringLiteral("create ") + caption);
            log.Cancel = std::move(cancel);
            return std::make_unique<TLoggedProgress>(log);
        });
    }
    ~TProgressRegistration() { SetFilterProgressFactory({}); }
};

/// Portuguese texts for the test's lifetime, as the captions are compared literally.
class TPortugueseTexts {
public:
    TPortugueseTexts() { SelectLanguage(TLanguage::Portuguese); }
    ~TPortugueseTexts() { SelectLanguage(); }
};

QStringList Steps(std::initializer_list<const char*> steps)
{
    QStringList list;
    for (const char* step : steps)
        list << QString::fromUtf8(step);
    return list;
}

}

TEST(FilterRun, PageRanges)
{
    struct Case {
        int pageCount;
        int first;
        int last;
        int expectedFrom;
        int expectedTo;
        QStringList expected;
        const char* what;
    };
    const Case cases[] = {
        { 3, 1, -1, 1, 3,
            Steps({ "BeginDoc", "DrawPage 1", "NewPage", "DrawPage 2", "NewPage", "DrawPage 3", "EndDoc" }),
            "three pages, last -1" },
        { 5, 2, 2, 2, 2, Steps({ "BeginDoc", "DrawPage 2", "EndDoc" }), "one page: no NewPage" },
        { 3, 0, 9, 1, 3,
            Steps({ "BeginDoc", "DrawPage 1", "NewPage", "DrawPage 2", "NewPage", "DrawPage 3", "EndDoc" }),
            "first 0 starts at 1, last beyond the count is cut" },
        { 3, -4, 1, 1, 1, Steps({ "BeginDoc", "DrawPage 1", "EndDoc" }), "negative first" },
        { 3, 3, 2, 3, 2, Steps({ "BeginDoc", "EndDoc" }), "empty range still begins and ends" },
        { 0, 1, -1, 1, 0, Steps({ "BeginDoc", "EndDoc" }), "empty store" },
    };
    for (const Case& c : cases) {
        auto pages = MakePages(c.pageCount);
        TRecordingFilter filter;
        filter.ShowProgress = false;
        filter.FilterPages(*pages->Storage, c.first, c.last);
        EXPECT_EQ(filter.Log, c.expected) << c.what;
        EXPECT_EQ(filter.FromPage(), c.expectedFrom) << c.what;
        EXPECT_EQ(filter.ToPage(), c.expectedTo) << c.what;
        EXPECT_EQ(filter.Pages(), nullptr) << c.what << ": the store is detached after the run";
        EXPECT_EQ(pages->Storage->UserCount(), 0) << c.what;
    }
}

TEST(FilterRun, CancelDuringPageTwoOfFiveEndsAfterIt)
{
    auto pages = MakePages(5);
    TRecordingFilter filter;
    filter.ShowProgress = false;
    filter.CancelAtPage = 2;
    filter.FilterPages(*pages->Storage);
    EXPECT_EQ(filter.Log, Steps({ "BeginDoc", "DrawPage 1", "NewPage", "DrawPage 2", "EndDoc" }));
    EXPECT_TRUE(filter.Canceled());

    filter.Log.clear();
    filter.CancelAtPage = 0;
    filter.FilterPages(*pages->Storage, 5, 5);
    EXPECT_FALSE(filter.Canceled()) << "a new run resets the flag";
    EXPECT_EQ(filter.Log, Steps({ "BeginDoc", "DrawPage 5", "EndDoc" }));
}

TEST(FilterRun, ProgressWindowFollowsTheRun)
{
    const TPortugueseTexts portuguese;
    TProgressLog log;
    const TProgressRegistration registration(log);
    auto pages = MakePages(3);

    TRecordingFilter saveFilter;
    saveFilter.FilterPages(*pages->Storage, 1, 2);
    EXPECT_EQ(log.Calls, Steps({ "create Salvando o relatório...", "max 2", "step", "step", "free" }));

    log.Calls.clear();
    TRecordingPrintFilter printFilter;
    printFilter.FilterPages(*pages->Storage, 3, 1);
    EXPECT_EQ(log.Calls, Steps({ "create Imprimindo o relatório...", "max -1", "free" }))
        << "an empty range still opens and frees the window";

    log.Calls.clear();
    saveFilter.ShowProgress = false;
    saveFilter.FilterPages(*pages->Storage);
    EXPECT_TRUE(log.Calls.isEmpty()) << "no window without ShowProgress";
}

TEST(FilterRun, CancelButtonStopsTheRun)
{
    TProgressLog log;
    log.CancelAtStep = 2;
    const TProgressRegistration registration(log);
    auto pages = MakePages(5);
    TRecordingFilter filter;
    filter.FilterPages(*pages->Storage);
    EXPECT_EQ(filter.Log, Steps({ "BeginDoc", "DrawPage 1", "NewPage", "DrawPage 2", "EndDoc" }));
    EXPECT_EQ(log.Calls.last(), u"free"_qs);
}

TEST(FilterRun, FailuresStillEndTheDocumentAndDetach)
{
    struct Case {
        bool failAtBegin;
        int failAtPage;
        QString message;
        QStringList expected;
        const char* what;
    };
    const Case cases[] = {
        { false, 2, QStringLiteral("page 2 failed"), Steps({ "BeginDoc", "DrawPage 1", "NewPage", "EndDoc" }),
            "failure in page 2: EndDoc runs" },
        { true, 0, QStringLiteral("cannot begin"), {}, "failure in BeginDoc: no EndDoc" },
    };
    for (const Case& c : cases) {
        TProgressLog log;
        const TProgressRegistration registration(log);
        auto pages = MakePages(3);
        TRecordingFilter filter;
        filter.FailAtBegin = c.failAtBegin;
        filter.FailAtPage = c.failAtPage;
        EXPECT_EQ(ErrorOf([&] { filter.FilterPages(*pages->Storage); }), c.message) << c.what;
        EXPECT_EQ(filter.Log, c.expected) << c.what;
        EXPECT_EQ(log.Calls.last(), u"free"_qs) << c.what << ": the window is freed";
        EXPECT_EQ(filter.Pages(), nullptr) << c.what;
        EXPECT_EQ(pages->Storage->UserCount(), 0) << c.what;
    }
}

TEST(FilterRun, BackgroundRunHandsProgressToTheGuiThread)
{
    TProgressLog log;
    const TProgressRegistration registration(log);
    auto pages = MakePages(3);
    TRecordingFilter filter;
    filter.FilterPages(*pages->Storage, 1, -1, true);
    filter.WaitForRun();
    EXPECT_FALSE(filter.Running());
    EXPECT_EQ(filter.Log,
        Steps({ "BeginDoc", "DrawPage 1", "NewPage", "DrawPage 2", "NewPage", "DrawPage 3", "EndDoc" }));
    EXPECT_EQ(log.Calls.size(), 6) << log.Calls.join(u", ").toStdString();
    EXPECT_TRUE(log.AllOnGuiThread);
    EXPECT_TRUE(filter.LastRunError().isEmpty());
    EXPECT_EQ(pages->Storage->UserCount(), 0);
}

TEST(FilterRun, BackgroundFailureIsKept)
{
    auto pages = MakePages(3);
    TRecordingFilter filter;
    filter.ShowProgress = false;
    filter.FailAtPage = 3;
    filter.FilterPages(*pages->Storage, 1, -1, true);
    filter.WaitForRun();
    EXPECT_EQ(filter.LastRunError(), u"page 3 failed"_qs);
    EXPECT_EQ(filter.Log.last(), u"EndDoc"_qs);
    EXPECT_EQ(pages->Storage->UserCount(), 0);
}

TEST(FilterRun, PageTheStoreCannotGiveBackFailsTheRun)
{
    auto pages = MakePages(3);
    // The temporary page file loses its pages behind the store's back.
    ASSERT_TRUE(QFile::resize(pages->Storage->TempFileName(), 0));
    TRecordingFilter filter;
    filter.ShowProgress = false;
    filter.FilterPages(*pages->Storage, 1, -1, true);
    filter.WaitForRun();
    EXPECT_EQ(filter.LastRunError(),
        u"Page 1 could not be read back from the temporary page file; the output would be incomplete"_qs)
        << "was an empty output reported as success";
    EXPECT_EQ(filter.Log.last(), u"EndDoc"_qs);
}

namespace {

void AddText(TTestPages& pages, const QString& text)
{
    AddPage(pages, [&](TRLGraphicSurface& page) {
        page.TextOutEx(
            TRect { 40, 40, 300, 60 }, 40, 40, text, TRLMetaTextAlignment::Left, TRLMetaTextLayout::Top, 0);
    });
}

} // namespace

TEST(FilterRun, PagesWrittenWhileAddedShowWhatTheyShowAtTheEnd)
{
    struct Case {
        QString firstTitle;
        int droppedRuns;
        const char* what;
    };
    const Case cases[] = {
        { QStringLiteral("T"), 0, "a page showing the page count waits for it; the others go as they come" },
        { QStringLiteral("A"), 1, "a document begun from a title that changed later is written again" },
    };
    const QStringList whole = Steps({ "BeginDoc", "Title T", "DrawPage 1", "Page 1", "NewPage", "DrawPage 2",
        "2 of 3", "NewPage", "DrawPage 3", "Page 3", "EndDoc" });
    for (const Case& c : cases) {
        auto pages = MakeStore();
        pages->Storage->SetTitle(c.firstTitle);
        TRecordingFilter filter;
        filter.ShowProgress = false;
        filter.LogTexts = true;
        filter.FilterPagesWhileAdding(*pages->Storage, [&] {
            AddText(*pages, QStringLiteral("Page 1"));
            AddText(*pages, QStringLiteral("2 of {LastPageNumber}"));
            // Time for the filter to draw page 2 with the count so far, were it not waiting.
            QThread::msleep(50);
            AddText(*pages, QStringLiteral("Page 3"));
            pages->Storage->SetTitle(QStringLiteral("T"));
            return true;
        });
        EXPECT_EQ(filter.Log.mid(filter.Log.size() - whole.size()), whole) << c.what;
        EXPECT_EQ(filter.Log.count(u"BeginDoc"_qs), 1 + c.droppedRuns) << c.what;
        EXPECT_EQ(filter.DroppedRuns, c.droppedRuns) << c.what;
        EXPECT_EQ(pages->Storage->UserCount(), 0) << c.what;
    }
}

TEST(FilterRun, FailureWhilePagesAreAddedStopsTheAddingAndIsThrown)
{
    auto pages = MakeStore();
    TRecordingFilter filter;
    filter.ShowProgress = false;
    filter.FailAtPage = 2;
    constexpr int kManyPages = 100000;
    int added = 0;
    bool stopped = false;
    EXPECT_EQ(ErrorOf([&] {
        filter.FilterPagesWhileAdding(*pages->Storage, [&] {
            try {
                for (; added < kManyPages; ++added)
                    AddText(*pages, QStringLiteral("Page"));
            } catch (const EAbort&) {
                stopped = true;
            }
            return false;
        });
    }),
        u"page 2 failed"_qs);
    EXPECT_TRUE(stopped) << "the adding went on to its end after the filter failed";
    EXPECT_LT(added, kManyPages);
    EXPECT_EQ(filter.DroppedRuns, 1);
    EXPECT_EQ(pages->Storage->UserCount(), 0);
    AddText(*pages, QStringLiteral("later"));
    EXPECT_EQ(pages->Storage->PageCount(), added + 1) << "the store takes pages again after the run";
}

TEST(FilterRun, AddingThatFailsDropsTheOutputWithoutAMessage)
{
    auto pages = MakeStore();
    TRecordingFilter filter;
    filter.ShowProgress = false;
    filter.FilterPagesWhileAdding(*pages->Storage, [&] {
        AddText(*pages, QStringLiteral("Page 1"));
        AddText(*pages, QStringLiteral("Page 2"));
        return false;
    });
    EXPECT_EQ(filter.Log.value(0), u"BeginDoc"_qs);
    EXPECT_EQ(filter.Log.last(), u"EndDoc"_qs);
    EXPECT_EQ(filter.DroppedRuns, 1);
    EXPECT_TRUE(filter.LastRunError().isEmpty());
}

TEST(FilterRun, ProgressOfPagesWrittenWhileAddedOpensAtTheEndOnTheGuiThread)
{
    TProgressLog log;
    const TProgressRegistration registration(log);
    auto pages = MakeStore();
    TRecordingFilter filter;
    filter.FilterPagesWhileAdding(*pages->Storage, [&] {
        for (int n = 1; n <= 3; ++n)
            AddText(*pages, QStringLiteral("Page %1").arg(n));
        return true;
    });
    EXPECT_EQ(log.Calls.mid(1), Steps({ "max 3", "step", "step", "step", "free" }))
        << log.Calls.join(u", ").toStdString();
    EXPECT_TRUE(log.AllOnGuiThread);
}

TEST(FilterRun, StoreStaysAliveThroughTheLinkUntilTheRunEnds)
{
    // An ownerless store frees itself when its last user unlinks, which is the run's end.
    auto* storage = new TRLGraphicStorage(nullptr);
    TComponent watcher(nullptr);
    storage->Link(&watcher);
    auto page = std::make_unique<TRLGraphicSurface>();
    page->Width = kA4Width;
    page->Height = kA4Height;
    storage->Add(std::move(page));
    TRecordingFilter filter;
    filter.ShowProgress = false;
    filter.FilterPages(*storage);
    EXPECT_EQ(storage->UserCount(), 1) << "the watcher still holds it";
    storage->Unlink(&watcher);
    EXPECT_EQ(filter.Pages(), nullptr);
}

TEST(FilterRegistry, ActiveFiltersInCreationOrder)
{
    const std::size_t before = ActiveFilters().size();
    auto first = std::make_unique<TRecordingFilter>();
    auto second = std::make_unique<TRecordingFilter>();
    ASSERT_EQ(ActiveFilters().size(), before + 2);
    EXPECT_EQ(ActiveFilters()[before], first.get());
    EXPECT_EQ(ActiveFilters()[before + 1], second.get());
    first.reset();
    ASSERT_EQ(ActiveFilters().size(), before + 1);
    EXPECT_EQ(ActiveFilters()[before], second.get());
}

TEST(FilterRegistry, DisplayNameFallsBackToName)
{
    struct Case {
        QString name;
        QString displayName;
        QString expected;
        bool stored;
    };
    const Case cases[] = {
        { QStringLiteral("RLPDFFilter1"), {}, QStringLiteral("RLPDFFilter1"), false },
        { QStringLiteral("RLPDFFilter1"), QStringLiteral("Documento PDF"), QStringLiteral("Documento PDF"),
            true },
        { {}, {}, {}, false },
    };
    for (const Case& c : cases) {
        TRecordingFilter filter;
        filter.SetName(c.name);
        filter.SetDisplayName(c.displayName);
        EXPECT_EQ(filter.DisplayName(), c.expected) << c.name.toStdString();
        EXPECT_EQ(filter.DisplayNameStored(), c.stored) << c.name.toStdString();
    }
    EXPECT_TRUE(SpoolFilter().GetDisplayName().isEmpty()) << "the shared printer filter has no name";
}

TEST(FilterRegistry, SaveFilterByFileName)
{
    TRecordingFilter pdf;
    pdf.SetDefaultExt(QStringLiteral(".pdf"));
    TRecordingFilter xls;
    xls.SetDefaultExt(QStringLiteral("xls"));
    TRecordingFilter secondPdf;
    secondPdf.SetDefaultExt(QStringLiteral(".PDF"));
    struct Case {
        QString fileName;
        TRLCustomSaveFilter* expected;
    };
    const Case cases[] = {
        { QStringLiteral("/tmp/ordem.pdf"), &pdf },
        { QStringLiteral("ORDEM.PDF"), &pdf },
        { QStringLiteral("planilha.Xls"), &xls },
        { QStringLiteral("ordem"), nullptr },
        { QStringLiteral("ordem.rpf"), nullptr },
        { QStringLiteral("pasta.pdf/ordem"), nullptr },
    };
    for (const Case& c : cases)
        EXPECT_EQ(SaveFilterByFileName(c.fileName), c.expected) << c.fileName.toStdString();
    EXPECT_EQ(xls.DefaultExt(), u".xls"_qs) << "the dot is added";
}

TEST(FilterRegistry, GlobalFilterPagesRunsTheGivenFilter)
{
    auto pages = MakePages(2);
    TRecordingFilter filter;
    filter.ShowProgress = false;
    FilterPages(*pages->Storage, &filter, 2, -1);
    EXPECT_EQ(filter.Log, Steps({ "BeginDoc", "DrawPage 2", "EndDoc" }));
}
