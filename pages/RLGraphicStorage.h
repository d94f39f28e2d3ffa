#pragma once

#include "pages/RLMacros.h"
#include "pages/RLPageOrientation.h"
#include "platform/Component.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

class QFile;
class QIODevice;
class TRLGraphicSurface;

/// The prepared report's pages: a temporary file holding every page record, and a cache of at
/// most five live pages. A page obtained from `Pages` is valid only until the next request to
/// the same store; a reader on another thread takes its own copy with `PageCopy`.
///
/// Pages may be read while they are being added: the adding thread (a preparation) brackets its
/// work with BeginAdding and EndAdding, and a reader on another thread (a filter) takes each page
/// when WaitForPage says it is there.
class TRLGraphicStorage : public TComponent {
public:
    /// How a wait of the reading thread ended.
    enum class TPageWait : quint8 {
        /// The page is stored (WaitForPage), or every page and macro is final (WaitUntilComplete).
        Ready,
        /// Every page is stored and the asked one is not among them.
        End,
        /// The adding failed or was cancelled: the pages will never be complete.
        Abandoned,
    };

    /// Pages kept alive at most.
    static constexpr int kCacheSize = 5;
    /// The page file layout written by SaveToStream.
    static constexpr int kFileVersion = 3;

    /// Empty; deleted by `owner`, or without one by the last Unlink.
    explicit TRLGraphicStorage(TComponent* owner = nullptr);
    ~TRLGraphicStorage() override;
    QString ClassName() const override;

    /// Stores a finished page and keeps it in the cache, which owns it from then on. A page of
    /// another store (a PageCopy of it) is added after the last page.
    TRLGraphicSurface* Add(std::unique_ptr<TRLGraphicSurface> surface);
    /// The page at a 0-based index, owned by the store; nullptr when the index is outside the
    /// pages or the page cannot be read.
    TRLGraphicSurface* Pages(int index);
    /// A copy of the page owned by the caller, read without touching the cache; nullptr as Pages.
    std::unique_ptr<TRLGraphicSurface> PageCopy(int index);
    /// Pages stored so far; safe from any thread.
    int PageCount() const;
    /// Indexes of the pages now in the cache, oldest first.
    std::vector<int> CachedPageIndexes() const;
    /// Empties the temporary file, the page index, the cache and the macros.
    void Clear();

    /// Adding thread, before the reader starts: pages are coming.
    void BeginAdding();
    /// Adding thread, when done: `complete` when every page and macro is final, else the pages
    /// are abandoned. Wakes the reader.
    void EndAdding(bool complete);
    /// Reading thread: blocks until the page at a 0-based index is stored or the adding ends.
    /// Outside BeginAdding .. EndAdding it answers at once.
    TPageWait WaitForPage(int index);
    /// Reading thread: blocks until the adding ends.
    TPageWait WaitUntilComplete();
    /// True between BeginAdding and EndAdding.
    bool IsAdding() const;
    /// Reading thread: the reader failed and takes no more pages; from now until EndAdding, Add
    /// throws EAbort, so that the preparation stops as cancelled.
    void StopAdding();
    /// The store's macros, copied under its lock, for a reader on another thread.
    TRLMacros MacrosCopy() const;

    /// Writes the page file, replacing an existing one (the file is removed when writing fails),
    /// or into a pipe or a device as it is (see TOutputFile).
    void SaveToFile(const QString& fileName);
    /// Writes in one pass, without seeking. `target` names the stream in messages; by default
    /// the file's name.
    void SaveToStream(QIODevice& stream, const QString& target = {});
    /// Replaces the store's pages and macros by those of a page file.
    void LoadFromFile(const QString& fileName);
    /// As LoadFromFile from an open stream; `source` names it in messages. Throws EReportError on
    /// a malformed file, leaving the store as it was.
    void LoadFromStream(QIODevice& stream, const QString& source);

    /// Adds a user that keeps the store alive (not the owner, not twice).
    void Link(TComponent* user);
    /// Removes a user; an ownerless store with no users left deletes itself.
    void Unlink(TComponent* user);
    /// Users linked now.
    int UserCount() const { return int(m_users.size()); }

    /// The numbers texts show for the first and last page, kept in the macros; a preparation writes
    /// them (the report's FirstPageNumber, and it plus the page count less one), 0 when missing.
    ///@{
    int FirstPageNumber() const;
    void SetFirstPageNumber(int number);
    int LastPageNumber() const;
    void SetLastPageNumber(int number);
    ///@}
    /// Kept in the macros; portrait when missing.
    ///@{
    TRLPageOrientation Orientation() const;
    void SetOrientation(TRLPageOrientation orientation);
    ///@}
    /// Paper size in millimetres, portrait sense; -1 when negative, 0 when missing or not a number.
    ///@{
    double PaperWidth() const;
    void SetPaperWidth(double millimetres);
    double PaperHeight() const;
    void SetPaperHeight(double millimetres);
    ///@}
    /// The report's title, which names print jobs and the file the preview proposes to save.
    ///@{
    QString Title() const;
    void SetTitle(const QString& title);
    ///@}
    /// The report's page size in dots (96 per inch), kept in the macros.
    ///@{
    void SetWidth(int width);
    void SetHeight(int height);
    ///@}

    /// The paper size in millimetres as the page lies: width and height swapped in landscape.
    ///@{
    double OrientedWidth() const;
    double OrientedHeight() const;
    ///@}
    /// OrientedWidth and OrientedHeight in dots (96 per inch), at most TRLGraphicSurface::kMaxPageDots;
    /// -1 when the millimetre value is negative.
    ///@{
    int OrientedPixelWidth() const;
    int OrientedPixelHeight() const;
    ///@}

    /// The named text values saved with the pages (page numbers, title, paper); texts on the
    /// pages show them by name. Not locked: on another thread use MacrosCopy.
    ///@{
    TRLMacros& Macros() { return m_macros; }
    const TRLMacros& Macros() const { return m_macros; }
    ///@}
    /// kFileVersion.
    int FileVersion() const { return kFileVersion; }
    /// The temporary file's name; empty until the first page is stored.
    QString TempFileName() const { return m_tempFileName; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TRLGraphicSurface;
    void StorePage(TRLGraphicSurface& surface);
    void CachePage(std::unique_ptr<TRLGraphicSurface> surface);
    /// Takes a page out of the cache without freeing it.
    std::unique_ptr<TRLGraphicSurface> Detach(TRLGraphicSurface& surface);
    std::unique_ptr<TRLGraphicSurface> ReadPage(int index);
    QByteArray ReadRecord(int index);
    std::unique_ptr<TRLGraphicSurface> ParseRecord(const QByteArray& record, int index);
    void OpenTempFile();
    void CloseTempFile();

    std::vector<std::unique_ptr<TRLGraphicSurface>> m_cache;
    /// 64-bit, so that a temporary file past 2 GiB stays readable.
    std::vector<qint64> m_pageIndex;
    std::unique_ptr<QFile> m_tempFile;
    QString m_tempFileName;
    /// Reused for every page record, so that storing a page does not allocate anew.
    QByteArray m_recordBuffer;
    TRLMacros m_macros;
    std::vector<TComponent*> m_users;
    mutable std::recursive_mutex m_mutex;
    enum class TAdding : quint8 { Done, Adding, Abandoned };
    TAdding m_adding = TAdding::Done;
    std::atomic<bool> m_readerStopped = false;
    std::condition_variable_any m_addingChanged;
};
