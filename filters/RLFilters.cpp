#include "filters/RLFilters.h"

#include "filters/RLFilterProgress.h"
#include "filters/RLSpoolFilter.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "platform/Exceptions.h"
#include "support/LocaleTexts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>
#include <exception>

namespace {

using TPageWait = TRLGraphicStorage::TPageWait;

std::vector<TRLCustomFilter*>& Registry()
{
    static std::vector<TRLCustomFilter*> filters;
    return filters;
}

bool OnGuiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

/// Runs `call` on the GUI thread and waits for it; its exception is rethrown here.
void CallOnGuiThread(bool inThread, const std::function<void()>& call)
{
    if (!inThread || OnGuiThread()) {
        call();
        return;
    }
    std::exception_ptr failure;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&] {
            try {
                call();
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure)
        std::rethrow_exception(failure);
}

QString WithLeadingDot(const QString& extension)
{
    return extension.startsWith(u'.') ? extension : u'.' + extension;
}

/// A page the store holds but cannot give back would end the output early while the run looks
/// complete.
[[noreturn]] void RaiseUnreadablePage(int page)
{
    throw EReportError(QCoreApplication::translate("TRLCustomFilter",
        "Page %1 could not be read back from the temporary page file; the output "
        "would be incomplete")
                           .arg(page));
}

/// Whether a document begun from `started` is the one the final macros give: only the page count
/// is known late, and a page that shows it waits for the end.
bool SameBesidesPageCount(TRLMacros started, TRLMacros final)
{
    const QString lastPage = QStringLiteral("LastPageNumber");
    started.SetValue(lastPage, {});
    final.SetValue(lastPage, {});
    return started == final;
}

[[noreturn]] void RaiseFilterBusy(const TRLCustomFilter& filter)
{
    throw EReportError(QStringLiteral("Filter %1 is still running").arg(filter.DisplayName()));
}

}

TRLCustomFilter::TRLCustomFilter(TComponent* owner)
    : TComponent(owner)
{
    Registry().push_back(this);
}

TRLCustomFilter::~TRLCustomFilter()
{
    std::erase(Registry(), this);
    JoinThread();
    AttachPages(nullptr);
}

void TRLCustomFilter::SetDisplayName(const QString& displayName)
{
    m_displayName = displayName;
}

bool TRLCustomFilter::DisplayNameStored() const
{
    return DisplayName() != Name();
}

QString TRLCustomFilter::GetDisplayName() const
{
    return m_displayName.isEmpty() ? Name() : m_displayName;
}

void TRLCustomFilter::FilterPages(TRLGraphicStorage& pages, int firstPage, int lastPage, bool background)
{
    if (Running())
        RaiseFilterBusy(*this);
    JoinThread();
    m_canceled = false;
    m_lastRunError.clear();
    m_fromPage = std::max(1, firstPage);
    m_toPage = lastPage == -1 ? pages.PageCount() : std::min(lastPage, pages.PageCount());
    AttachPages(&pages);
    if (!background) {
        Run(false);
        return;
    }
    StartThread([this] { Run(true); });
}

void TRLCustomFilter::FilterPagesWhileAdding(TRLGraphicStorage& pages, const std::function<bool()>& addPages)
{
    if (Running())
        RaiseFilterBusy(*this);
    JoinThread();
    m_canceled = false;
    m_lastRunError.clear();
    m_runAgain = false;
    m_fromPage = 1;
    m_toPage = 0;
    AttachPages(&pages);
    pages.BeginAdding();
    StartThread([this] { RunFollowing(); });
    bool complete = false;
    try {
        complete = addPages();
    } catch (...) {
        pages.EndAdding(false);
        JoinThread();
        throw;
    }
    pages.EndAdding(complete);
    JoinThread();
    if (!m_lastRunError.isEmpty())
        throw EReportError(m_lastRunError);
    if (complete && m_runAgain)
        FilterPages(pages);
}

void TRLCustomFilter::StartThread(std::function<void()> run)
{
    m_thread.reset(QThread::create([this, run = std::move(run)] {
        try {
            run();
        } catch (const EReportError& error) {
            m_lastRunError = error.Message();
        } catch (const EAbort&) {
            // A silent abort ends the run without a message.
        } catch (const std::exception& error) {
            m_lastRunError = QString::fromLocal8Bit(error.what());
        }
    }));
    m_thread->start();
}

bool TRLCustomFilter::Running() const
{
    return m_thread && m_thread->isRunning();
}

void TRLCustomFilter::WaitForRun()
{
    if (!m_thread)
        return;
    if (OnGuiThread()) {
        // The run's progress calls wait for this thread's event loop.
        while (!m_thread->wait(10))
            QCoreApplication::processEvents();
    } else {
        m_thread->wait();
    }
}

QString TRLCustomFilter::LastRunError() const
{
    if (Running())
        return {};
    return m_lastRunError;
}

void TRLCustomFilter::JoinThread()
{
    WaitForRun();
    m_thread.reset();
}

void TRLCustomFilter::AttachPages(TRLGraphicStorage* pages)
{
    if (m_pages == pages)
        return;
    if (TRLGraphicStorage* old = std::exchange(m_pages, nullptr)) {
        old->RemoveFreeNotification(this);
        old->Unlink(this);
    }
    if (pages) {
        m_pages = pages;
        pages->FreeNotification(this);
        pages->Link(this);
    }
}

void TRLCustomFilter::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_pages)
        m_pages = nullptr;
}

void TRLCustomFilter::BeginDoc()
{
    InternalBeginDoc();
}

void TRLCustomFilter::EndDoc()
{
    InternalEndDoc();
    AttachPages(nullptr);
}

void TRLCustomFilter::NewPage()
{
    InternalNewPage();
}

void TRLCustomFilter::DrawPage(TRLGraphicSurface& page)
{
    InternalDrawPage(page);
}

void TRLCustomFilter::Run(bool inThread)
{
    std::unique_ptr<TRLFilterProgress> progress;
    const TRLFilterProgressFactory& factory = FilterProgressFactory();
    if (ShowProgress && factory) {
        CallOnGuiThread(inThread, [&] { progress = factory(RunCaption(), [this] { m_canceled = true; }); });
    }
    const auto finish = [&] {
        if (progress)
            CallOnGuiThread(inThread, [&] { progress.reset(); });
        AttachPages(nullptr);
    };
    try {
        RunPages(progress.get(), inThread);
    } catch (...) {
        try {
            finish();
        } catch (...) {
            // The run's own failure is the one to report.
        }
        throw;
    }
    finish();
}

void TRLCustomFilter::RunPages(TRLFilterProgress* progress, bool inThread)
{
    if (progress)
        CallOnGuiThread(inThread, [&] { progress->SetMaxProgress(m_toPage - m_fromPage + 1); });
    m_runFailed = false;
    BeginDoc();
    try {
        for (int n = m_fromPage; n <= m_toPage; ++n) {
            if (!m_pages)
                break;
            if (n > m_fromPage)
                NewPage();
            // A page from Pages() lives until the next request to the store; a run on another
            // thread reads its own copy so that the GUI thread may use the store meanwhile.
            std::unique_ptr<TRLGraphicSurface> copy;
            TRLGraphicSurface* page = nullptr;
            if (inThread) {
                copy = m_pages->PageCopy(n - 1);
                page = copy.get();
            } else {
                page = m_pages->Pages(n - 1);
            }
            if (!page) {
                if (n <= m_pages->PageCount())
                    RaiseUnreadablePage(n);
                break;
            }
            DrawPage(*page);
            if (progress)
                CallOnGuiThread(inThread, [&] { progress->StepForward(); });
            if (m_canceled)
                break;
        }
    } catch (...) {
        m_runFailed = true;
        EndDoc();
        m_runFailed = false;
        throw;
    }
    EndDoc();
}

void TRLCustomFilter::RunFollowing()
{
    TRLGraphicStorage* pages = m_pages;
    std::unique_ptr<TRLFilterProgress> progress;
    try {
        // The document's start reads the store's macros (title, paper size): the preparation
        // writes them before its first page.
        if (pages->WaitForPage(0) == TPageWait::Abandoned)
            throw EAbort();
        const TRLMacros started = pages->MacrosCopy();
        m_runFailed = false;
        BeginDoc();
        try {
            DrawFollowing(progress);
            if (pages->WaitUntilComplete() == TPageWait::Abandoned)
                throw EAbort();
            if (!SameBesidesPageCount(started, pages->MacrosCopy())) {
                m_runAgain = true;
                throw EAbort();
            }
        } catch (...) {
            m_runFailed = true;
            EndDoc();
            m_runFailed = false;
            throw;
        }
        EndDoc();
    } catch (...) {
        pages->StopAdding();
        if (progress)
            CallOnGuiThread(true, [&] { progress.reset(); });
        AttachPages(nullptr);
        throw;
    }
    if (progress)
        CallOnGuiThread(true, [&] { progress.reset(); });
    AttachPages(nullptr);
}

void TRLCustomFilter::DrawFollowing(std::unique_ptr<TRLFilterProgress>& progress)
{
    TRLGraphicStorage* pages = m_pages;
    const TRLFilterProgressFactory& factory = FilterProgressFactory();
    // Opened once the pages are complete: until then the GUI thread is preparing them and would
    // not take the window's calls. It catches up with the pages already written.
    const auto openProgress = [&](int written) {
        if (progress || !ShowProgress || !factory)
            return;
        CallOnGuiThread(true, [&] {
            progress = factory(RunCaption(), [this] { m_canceled = true; });
            progress->SetMaxProgress(pages->PageCount());
            for (int done = 0; done < written; ++done)
                progress->StepForward();
        });
    };
    bool complete = false;
    int n = 1;
    for (;; ++n) {
        const TPageWait wait = pages->WaitForPage(n - 1);
        if (wait == TPageWait::Abandoned)
            throw EAbort();
        if (wait == TPageWait::End)
            break;
        if (n > 1)
            NewPage();
        const std::unique_ptr<TRLGraphicSurface> page = pages->PageCopy(n - 1);
        if (!page)
            RaiseUnreadablePage(n);
        complete = complete || !pages->IsAdding();
        if (!complete && page->UsesStoreMacros()) {
            if (pages->WaitUntilComplete() == TPageWait::Abandoned)
                throw EAbort();
            complete = true;
        }
        DrawPage(*page);
        m_toPage = n;
        if (complete)
            openProgress(n - 1);
        if (progress)
            CallOnGuiThread(true, [&] { progress->StepForward(); });
        if (m_canceled)
            return;
    }
    openProgress(n - 1);
}

TRLCustomPrintFilter::TRLCustomPrintFilter(TComponent* owner)
    : TRLCustomFilter(owner)
{
}

QString TRLCustomPrintFilter::GetOptionsLabel() const
{
    return {};
}

QStringList TRLCustomPrintFilter::GetOptions() const
{
    return {};
}

int TRLCustomPrintFilter::GetSelectedOption() const
{
    return -1;
}

void TRLCustomPrintFilter::SetSelectedOption(int)
{
}

void TRLCustomPrintFilter::SetOrientation(TRLPageOrientation)
{
}

QString TRLCustomPrintFilter::RunCaption() const
{
    return LocaleText(TLocaleTextId::PrintingReport);
}

TRLCustomSaveFilter::TRLCustomSaveFilter(TComponent* owner)
    : TRLCustomFilter(owner)
{
}

void TRLCustomSaveFilter::SetDefaultExt(const QString& extension)
{
    m_defaultExt = extension.isEmpty() ? extension : WithLeadingDot(extension);
}

QString TRLCustomSaveFilter::RunCaption() const
{
    return LocaleText(TLocaleTextId::SavingReport);
}

const std::vector<TRLCustomFilter*>& ActiveFilters()
{
    return Registry();
}

TRLSpoolFilter& SpoolFilter()
{
    static TRLSpoolFilter filter(nullptr);
    return filter;
}

void FilterPages(
    TRLGraphicStorage& pages, TRLCustomFilter* filter, int firstPage, int lastPage, bool background)
{
    TRLCustomFilter& target = filter ? *filter : SpoolFilter();
    target.FilterPages(pages, firstPage, lastPage, background);
}

TRLCustomSaveFilter* SaveFilterByFileName(const QString& fileName)
{
    const QString extension = WithLeadingDot(QFileInfo(fileName).suffix());
    for (TRLCustomFilter* filter : Registry()) {
        auto* saveFilter = dynamic_cast<TRLCustomSaveFilter*>(filter);
        if (saveFilter
            && WithLeadingDot(saveFilter->DefaultExt()).compare(extension, Qt::CaseInsensitive) == 0)
            return saveFilter;
    }
    return nullptr;
}
