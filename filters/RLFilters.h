#pragma once

#include "pages/RLPageOrientation.h"
#include "platform/Component.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class QThread;
class TRLFilterProgress;
class TRLGraphicStorage;
class TRLGraphicSurface;
class TRLSpoolFilter;

/// Takes the finished pages of a page store and sends a range of them somewhere. A run calls
/// BeginDoc, then DrawPage for each page with NewPage between two pages, then EndDoc; the store
/// stays linked (alive) for the whole run. Every live filter is listed in ActiveFilters().
class TRLCustomFilter : public TComponent {
public:
    /// Joins ActiveFilters; deleted by `owner`.
    explicit TRLCustomFilter(TComponent* owner);
    /// Leaves ActiveFilters. A derived filter's destructor calls WaitForRun first, since a
    /// background run still going uses the derived part.
    ~TRLCustomFilter() override;

    /// The stored text, or Name when it is empty.
    ///@{
    QString DisplayName() const { return GetDisplayName(); }
    void SetDisplayName(const QString& displayName);
    ///@}
    /// Whether DisplayName differs from Name, so that a layout writer stores it.
    bool DisplayNameStored() const;

    /// The store of the current run; nullptr when idle or when the store was destroyed.
    TRLGraphicStorage* Pages() const { return m_pages; }
    /// Whether a run shows the registered progress window.
    bool ShowProgress = true;
    /// Set by the progress window's cancel button (from any thread); read after each page.
    ///@{
    bool Canceled() const { return m_canceled; }
    void SetCanceled(bool canceled) { m_canceled = canceled; }
    ///@}
    /// The range of the current run, 1-based and inclusive.
    ///@{
    int FromPage() const { return m_fromPage; }
    int ToPage() const { return m_toPage; }
    ///@}

    /// Runs pages firstPage .. lastPage (1-based; lastPage -1 = the last stored page). With
    /// `background` the run goes on in a thread of its own and this returns at once: the caller
    /// keeps the filter alive, and the store stays alive through the filter's link. A failure of
    /// a foreground run passes to the caller; one of a background run is kept in LastRunError.
    /// Throws EReportError when a background run of this filter is still going.
    void FilterPages(TRLGraphicStorage& pages, int firstPage = 1, int lastPage = -1, bool background = false);
    /// Writes the pages while `addPages` stores them into `pages`, for the very bytes of addPages
    /// followed by FilterPages(pages). addPages runs on the calling thread and returns whether it
    /// stored every page (a report's Prepare); meanwhile a thread of this filter writes each page
    /// as soon as it and all it shows are final (a page showing the store's macros, such as
    /// "{LastPageNumber}", waits for the end), and the progress window opens once addPages has
    /// returned. When addPages returns false the output is dropped and nothing is thrown. A failure
    /// of the filter stops addPages (its next Add throws EAbort) and is thrown here as EReportError.
    void FilterPagesWhileAdding(TRLGraphicStorage& pages, const std::function<bool()>& addPages);
    /// True while a background run goes on.
    bool Running() const;
    /// Waits for a background run to end; on the GUI thread it keeps processing events, so that
    /// the run's progress calls get through.
    void WaitForRun();
    /// The message of the failure that ended the last background run; empty when it ended well.
    QString LastRunError() const;

    /// @cond ENGINE
    void BeginDoc();
    /// Ends the output, then detaches the store.
    void EndDoc();
    void NewPage();
    void DrawPage(TRLGraphicSurface& page);

    virtual QString GetDisplayName() const;

protected:
    virtual void InternalBeginDoc() = 0;
    virtual void InternalEndDoc() = 0;
    virtual void InternalNewPage() = 0;
    /// The filter walks the page's drawing objects itself.
    virtual void InternalDrawPage(TRLGraphicSurface& page) = 0;
    /// The progress window's caption.
    virtual QString RunCaption() const = 0;
    /// True inside InternalEndDoc when the run is ending on a failure, so that a file output
    /// can drop what it wrote instead of passing a partial file off as whole.
    bool RunFailed() const { return m_runFailed; }

    void Notification(TComponent* component, TOperation operation) override;
    /// @endcond

private:
    void AttachPages(TRLGraphicStorage* pages);
    /// The run loop; `inThread` hands the progress calls to the GUI thread.
    void Run(bool inThread);
    void RunPages(TRLFilterProgress* progress, bool inThread);
    /// The run of FilterPagesWhileAdding, on the filter's thread.
    void RunFollowing();
    void DrawFollowing(std::unique_ptr<TRLFilterProgress>& progress);
    void StartThread(std::function<void()> run);
    void JoinThread();

    QString m_displayName;
    TRLGraphicStorage* m_pages = nullptr;
    std::atomic<bool> m_canceled = false;
    bool m_runFailed = false;
    int m_fromPage = 1;
    int m_toPage = 0;
    std::unique_ptr<QThread> m_thread;
    QString m_lastRunError;
    /// Set by a run of FilterPagesWhileAdding whose document started from macros that changed
    /// later: its output was dropped, and it runs again over the complete pages.
    bool m_runAgain = false;
};

/// Output to a printer; the hooks let the print dialog show a filter's own option list.
class TRLCustomPrintFilter : public TRLCustomFilter {
public:
    /// Deleted by `owner`.
    explicit TRLCustomPrintFilter(TComponent* owner);

    /// Empty: no option list.
    virtual QString GetOptionsLabel() const;
    /// Empty: the option controls are hidden.
    virtual QStringList GetOptions() const;
    /// -1: none chosen.
    ///@{
    virtual int GetSelectedOption() const;
    virtual void SetSelectedOption(int index);
    ///@}
    /// As the print parameters give it.
    virtual void SetOrientation(TRLPageOrientation orientation);

protected:
    /// @cond ENGINE
    QString RunCaption() const override;
    /// @endcond
};

/// Output into a file.
class TRLCustomSaveFilter : public TRLCustomFilter {
public:
    /// Deleted by `owner`.
    explicit TRLCustomSaveFilter(TComponent* owner);

    /// The file a run writes; "/dev/stdout", a pipe or a terminal are written through as well.
    QString FileName;
    /// The extension with its dot (".pdf").
    const QString& DefaultExt() const { return m_defaultExt; }
    /// A missing leading dot is added.
    void SetDefaultExt(const QString& extension);

protected:
    /// @cond ENGINE
    QString RunCaption() const override;
    /// @endcond

private:
    QString m_defaultExt;
};

/// Every live filter, in order of creation.
const std::vector<TRLCustomFilter*>& ActiveFilters();

/// The shared printer filter (no owner, no name), created on first request.
TRLSpoolFilter& SpoolFilter();

/// The method run on `filter`, or on SpoolFilter() when it is nullptr.
void FilterPages(TRLGraphicStorage& pages, TRLCustomFilter* filter, int firstPage = 1, int lastPage = -1,
    bool background = false);

/// The first live save filter whose DefaultExt is the file name's extension, both with a leading
/// dot and compared without regard to letter case; nullptr when none matches.
TRLCustomSaveFilter* SaveFilterByFileName(const QString& fileName);
