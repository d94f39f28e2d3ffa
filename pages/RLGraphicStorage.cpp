#include "pages/RLGraphicStorage.h"

#include "pages/RLByteReader.h"
#include "pages/RLByteWriter.h"
#include "pages/RLGraphicSurface.h"
#include "pages/RLPageFormat.h"
#include "platform/Exceptions.h"
#include "support/Geometry.h"
#include "support/OutputFiles.h"
#include "support/SaveFiles.h"
#include "support/TempFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <limits>

namespace {

constexpr QByteArrayView kStorageMagic { "RLGraphicStorage3\x1A", 18 };
constexpr qint64 kCountedStringMinBytes = sizeof(qint32);
/// An offset table entry and the entry's length field.
constexpr qint64 kPageEntryMinBytes = 2 * sizeof(qint32);
constexpr qint64 kInt32Max = std::numeric_limits<qint32>::max();
constexpr qint64 kCopyChunkBytes = 64 * 1024;

const QString kFirstPageNumberMacro = QStringLiteral("FirstPageNumber");
const QString kLastPageNumberMacro = QStringLiteral("LastPageNumber");
const QString kTitleMacro = QStringLiteral("Title");
const QString kWidthMacro = QStringLiteral("Width");
const QString kHeightMacro = QStringLiteral("Height");

QString TempSource(const QString& fileName, int index)
{
    return QCoreApplication::translate("TRLGraphicStorage", "page %1 in the temporary page file %2")
        .arg(index + 1)
        .arg(fileName);
}

[[noreturn]] void RaiseTooLarge(int page, qint64 position)
{
    throw EReportError(QCoreApplication::translate("TRLGraphicStorage",
        "Cannot write the page file: page %1 would start at byte %2, beyond the "
        "2 GiB that its 32-bit offset can address")
                           .arg(page)
                           .arg(position));
}

/// The largest paper side a page file may declare: the largest page's.
constexpr double kMaxPaperMillimetres = TRLGraphicSurface::kMaxPageDots * 25.4 / 96;

int MillimetresToDots(double millimetres)
{
    return millimetres < 0 ? -1 : MillimetersToPixels(std::min(millimetres, kMaxPaperMillimetres));
}

} // namespace

TRLGraphicStorage::TRLGraphicStorage(TComponent* owner)
    : TComponent(owner)
{
}

TRLGraphicStorage::~TRLGraphicStorage()
{
    for (TComponent* user : std::vector<TComponent*>(m_users))
        user->RemoveFreeNotification(this);
    m_users.clear();
    for (auto& page : m_cache)
        page->m_inCache = false;
    m_cache.clear();
    CloseTempFile();
}

QString TRLGraphicStorage::ClassName() const
{
    return QStringLiteral("TRLGraphicStorage");
}

TRLGraphicSurface* TRLGraphicStorage::Add(std::unique_ptr<TRLGraphicSurface> surface)
{
    if (m_readerStopped)
        throw EAbort();
    const std::lock_guard lock(m_mutex);
    TRLGraphicSurface* page = surface.get();
    // A copy of another store's page is a new page here: its index there would overwrite one
    // of this store's pages, or lie past their end.
    if (page->Storage() != this)
        page->SetPageIndex(-1);
    page->SetStorage(this);
    StorePage(*page);
    CachePage(std::move(surface));
    if (m_adding == TAdding::Adding)
        m_addingChanged.notify_all();
    return page;
}

TRLGraphicSurface* TRLGraphicStorage::Pages(int index)
{
    const std::lock_guard lock(m_mutex);
    if (index < 0 || index >= PageCount())
        return nullptr;
    for (const auto& page : m_cache) {
        if (page->PageIndex() == index)
            return page.get();
    }
    std::unique_ptr<TRLGraphicSurface> page = ReadPage(index);
    if (!page)
        return nullptr;
    TRLGraphicSurface* result = page.get();
    CachePage(std::move(page));
    return result;
}

std::unique_ptr<TRLGraphicSurface> TRLGraphicStorage::PageCopy(int index)
{
    QByteArray record;
    {
        const std::lock_guard lock(m_mutex);
        if (index < 0 || index >= PageCount())
            return nullptr;
        for (const auto& page : m_cache) {
            if (page->PageIndex() == index && page->Modified())
                StorePage(*page);
        }
        record = ReadRecord(index);
    }
    // Parsed outside the lock, so that a preparation adding pages meanwhile does not wait.
    return ParseRecord(record, index);
}

int TRLGraphicStorage::PageCount() const
{
    const std::lock_guard lock(m_mutex);
    return int(m_pageIndex.size());
}

std::vector<int> TRLGraphicStorage::CachedPageIndexes() const
{
    const std::lock_guard lock(m_mutex);
    std::vector<int> indexes;
    for (const auto& page : m_cache)
        indexes.push_back(page->PageIndex());
    return indexes;
}

void TRLGraphicStorage::Clear()
{
    const std::lock_guard lock(m_mutex);
    if (m_tempFile)
        m_tempFile->resize(0);
    m_pageIndex.clear();
    for (auto& page : m_cache)
        page->m_inCache = false;
    m_cache.clear();
    m_macros.Clear();
}

void TRLGraphicStorage::BeginAdding()
{
    const std::lock_guard lock(m_mutex);
    m_adding = TAdding::Adding;
    m_readerStopped = false;
}

void TRLGraphicStorage::EndAdding(bool complete)
{
    {
        const std::lock_guard lock(m_mutex);
        m_adding = complete ? TAdding::Done : TAdding::Abandoned;
        m_readerStopped = false;
    }
    m_addingChanged.notify_all();
}

TRLGraphicStorage::TPageWait TRLGraphicStorage::WaitForPage(int index)
{
    std::unique_lock lock(m_mutex);
    m_addingChanged.wait(lock, [&] { return m_adding != TAdding::Adding || index < PageCount(); });
    if (index < PageCount())
        return TPageWait::Ready;
    return m_adding == TAdding::Abandoned ? TPageWait::Abandoned : TPageWait::End;
}

TRLGraphicStorage::TPageWait TRLGraphicStorage::WaitUntilComplete()
{
    std::unique_lock lock(m_mutex);
    m_addingChanged.wait(lock, [&] { return m_adding != TAdding::Adding; });
    return m_adding == TAdding::Abandoned ? TPageWait::Abandoned : TPageWait::Ready;
}

bool TRLGraphicStorage::IsAdding() const
{
    const std::lock_guard lock(m_mutex);
    return m_adding == TAdding::Adding;
}

void TRLGraphicStorage::StopAdding()
{
    const std::lock_guard lock(m_mutex);
    if (m_adding == TAdding::Adding)
        m_readerStopped = true;
}

TRLMacros TRLGraphicStorage::MacrosCopy() const
{
    const std::lock_guard lock(m_mutex);
    return m_macros;
}

void TRLGraphicStorage::StorePage(TRLGraphicSurface& surface)
{
    OpenTempFile();
    // The record is built in memory and appended in one write; a failure leaves the file as it
    // was, so the index keeps pointing at the last complete copy.
    TRLByteWriter out(m_recordBuffer, m_tempFileName);
    const qint64 lengthField = out.BeginSized();
    surface.SaveToStream(out);
    out.EndSized(lengthField);
    const qint64 position = m_tempFile->size();
    // Flushed at once, so that a full disk fails this page and not a later read.
    const QByteArrayView record = out.Written();
    if (!m_tempFile->seek(position) || !WriteWhole(*m_tempFile, record) || !m_tempFile->flush()) {
        const QString error = m_tempFile->errorString();
        m_tempFile->resize(position);
        RaiseCannotWrite(m_tempFileName, error);
    }
    if (surface.PageIndex() < 0) {
        m_pageIndex.push_back(position);
        surface.SetPageIndex(int(m_pageIndex.size() - 1));
    } else {
        m_pageIndex.at(std::size_t(surface.PageIndex())) = position;
    }
    surface.SetModified(false);
}

void TRLGraphicStorage::CachePage(std::unique_ptr<TRLGraphicSurface> surface)
{
    if (int(m_cache.size()) >= kCacheSize) {
        std::unique_ptr<TRLGraphicSurface>& oldest = m_cache.front();
        if (oldest->Modified())
            StorePage(*oldest);
        oldest->m_inCache = false;
        m_cache.erase(m_cache.begin());
    }
    surface->m_storage = this;
    surface->m_inCache = true;
    m_cache.push_back(std::move(surface));
}

std::unique_ptr<TRLGraphicSurface> TRLGraphicStorage::Detach(TRLGraphicSurface& surface)
{
    const std::lock_guard lock(m_mutex);
    const auto found = std::find_if(
        m_cache.begin(), m_cache.end(), [&](const auto& page) { return page.get() == &surface; });
    if (found == m_cache.end())
        return nullptr;
    std::unique_ptr<TRLGraphicSurface> page = std::move(*found);
    m_cache.erase(found);
    page->m_inCache = false;
    return page;
}

std::unique_ptr<TRLGraphicSurface> TRLGraphicStorage::ReadPage(int index)
{
    return ParseRecord(ReadRecord(index), index);
}

/// Empty when the record cannot be read.
QByteArray TRLGraphicStorage::ReadRecord(int index)
{
    try {
        TRLByteReader in(*m_tempFile, TempSource(m_tempFileName, index));
        in.Seek(m_pageIndex.at(std::size_t(index)), u"page position");
        const qint32 length = in.ReadInt32(u"page record length");
        return in.ReadBytes(length, u"page record length");
    } catch (const std::exception&) {
        return {};
    }
}

std::unique_ptr<TRLGraphicSurface> TRLGraphicStorage::ParseRecord(const QByteArray& record, int index)
{
    auto page = std::make_unique<TRLGraphicSurface>();
    page->m_storage = this;
    page->SetPageIndex(index);
    try {
        TRLByteReader in(record, TempSource(m_tempFileName, index));
        page->LoadFromStream(in);
    } catch (const std::exception&) {
        // A page that cannot be read is no page; the caller skips it.
        return nullptr;
    }
    return page;
}

void TRLGraphicStorage::OpenTempFile()
{
    if (m_tempFile)
        return;
    auto file = std::make_unique<QFile>();
    m_tempFileName = OpenNewTempFile(*file);
    m_tempFile = std::move(file);
}

void TRLGraphicStorage::CloseTempFile()
{
    if (!m_tempFile)
        return;
    m_tempFile->close();
    QFile::remove(m_tempFileName);
    UnregisterTempFile(m_tempFileName);
    m_tempFile.reset();
    m_tempFileName.clear();
}

void TRLGraphicStorage::SaveToFile(const QString& fileName)
{
    // A regular file is written beside the target and renamed over it at the end, so that a
    // failed save leaves any existing file as it was and no partial file behind.
    TOutputFile file(fileName);
    if (QString reason; !file.Open(reason))
        throw EReportError(
            QCoreApplication::translate("TRLGraphicStorage", "Cannot create %1: %2").arg(fileName, reason));
    // A failed write is discarded by the file's destructor.
    SaveToStream(file.Device(), fileName);
    QString reason;
    if (!file.Commit(reason))
        RaiseCannotWrite(fileName, reason);
}

void TRLGraphicStorage::SaveToStream(QIODevice& stream, const QString& target)
{
    const std::lock_guard lock(m_mutex);
    for (const auto& page : m_cache) {
        if (page->Modified())
            StorePage(*page);
    }
    const auto* file = qobject_cast<const QFileDevice*>(&stream);
    TRLByteWriter out(stream,
        !target.isEmpty() ? target
            : file        ? file->fileName()
                          : QCoreApplication::translate("TRLGraphicStorage", "the page file"));
    const int count = PageCount();
    std::vector<qint32> lengths;
    lengths.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        TRLByteReader in(*m_tempFile, TempSource(m_tempFileName, i));
        in.Seek(m_pageIndex[std::size_t(i)], u"page position");
        const qint32 length = in.ReadInt32(u"page record length");
        if (length < 0 || length > in.Remaining())
            in.Fail(
                u"page record length", QStringLiteral("%1 bytes, %2 left").arg(length).arg(in.Remaining()));
        lengths.push_back(length);
    }
    // The offset table is laid out before the pages are copied, so that the file is written in
    // one pass, without seeking back: a pipe or standard output takes it as a file does.
    QByteArray header;
    {
        TRLByteWriter head(header, out.Target());
        head.WriteBytes(kStorageMagic);
        const QStringList macros = m_macros.Strings();
        head.WriteInt32(qint32(macros.size()));
        for (const QString& line : macros)
            head.WriteText(line);
        head.WriteInt32(count);
        // Offsets count from the device's start, as the reader seeks them (0 on a pipe).
        qint64 offset = out.Position() + head.Position() + qint64(count) * qint64(sizeof(qint32));
        for (int i = 0; i < count; ++i) {
            if (offset > kInt32Max)
                RaiseTooLarge(i + 1, offset);
            head.WriteInt32(qint32(offset));
            offset += qint64(sizeof(qint32)) + lengths[std::size_t(i)];
        }
    }
    out.WriteBytes(header);

    QByteArray chunk;
    for (int i = 0; i < count; ++i) {
        TRLByteReader in(*m_tempFile, TempSource(m_tempFileName, i));
        in.Seek(m_pageIndex[std::size_t(i)] + qint64(sizeof(qint32)), u"page position");
        const qint32 length = lengths[std::size_t(i)];
        out.WriteInt32(length);
        for (qint64 left = length; left > 0; left -= chunk.size()) {
            chunk = in.ReadBytes(std::min(left, kCopyChunkBytes), u"page record");
            out.WriteBytes(chunk);
        }
    }
}

void TRLGraphicStorage::LoadFromFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EReportError(QCoreApplication::translate("TRLGraphicStorage", "Cannot open %1: %2")
                               .arg(fileName, file.errorString()));
    LoadFromStream(file, fileName);
}

void TRLGraphicStorage::LoadFromStream(QIODevice& stream, const QString& source)
{
    // Read into a second store and take its pages only when the whole file has been read, so a
    // bad file leaves this store as it was.
    TRLGraphicStorage loaded(nullptr);
    TRLByteReader in(stream, source);
    if (in.ReadBytes(kStorageMagic.size(), u"page file header") != kStorageMagic)
        in.Fail(u"page file header",
            QCoreApplication::translate(
                "TRLGraphicStorage", "not a page file (\"RLGraphicStorage3\" expected)"));
    const qint32 macroCount = in.ReadCount(kCountedStringMinBytes, u"macro count");
    for (qint32 i = 0; i < macroCount; ++i)
        loaded.m_macros.AddString(in.ReadText(u"macro"));
    // The preview lays out pages and draws thumbnails at this size before any page is read.
    if (const double width = loaded.PaperWidth(), height = loaded.PaperHeight();
        !(width >= 0 && width <= kMaxPaperMillimetres && height >= 0 && height <= kMaxPaperMillimetres))
        in.Fail(u"paper size",
            QCoreApplication::translate("TRLGraphicStorage", "%1 x %2 mm is outside 0 to %3 mm on a side")
                .arg(width)
                .arg(height)
                .arg(qRound(kMaxPaperMillimetres)));
    const qint32 pageCount = in.ReadCount(kPageEntryMinBytes, u"page count");
    std::vector<qint32> offsets(static_cast<std::size_t>(pageCount));
    for (qint32& offset : offsets)
        offset = in.ReadInt32(u"page offset");
    for (qint32 i = 0; i < pageCount; ++i) {
        const QString field = QStringLiteral("page %1").arg(i + 1);
        in.Seek(offsets[std::size_t(i)], field);
        const qint32 length = in.ReadInt32(field);
        TRLByteReader record = in.Sub(length, field);
        auto page = std::make_unique<TRLGraphicSurface>();
        try {
            page->LoadFromStream(record);
        } catch (const EReportError& error) {
            throw EReportError(QStringLiteral("%1: %2: %3").arg(source, field, error.Message()));
        }
        loaded.Add(std::move(page));
    }

    const std::lock_guard lock(m_mutex);
    Clear();
    CloseTempFile();
    m_macros = loaded.m_macros;
    m_pageIndex.swap(loaded.m_pageIndex);
    m_tempFile.swap(loaded.m_tempFile);
    m_tempFileName.swap(loaded.m_tempFileName);
    m_cache.swap(loaded.m_cache);
    for (auto& page : m_cache)
        page->m_storage = this;
}

void TRLGraphicStorage::Link(TComponent* user)
{
    const std::lock_guard lock(m_mutex);
    if (!user || user == Owner() || std::find(m_users.begin(), m_users.end(), user) != m_users.end())
        return;
    m_users.push_back(user);
    user->FreeNotification(this);
}

void TRLGraphicStorage::Unlink(TComponent* user)
{
    if (IsDestroying())
        return;
    {
        const std::lock_guard lock(m_mutex);
        if (std::erase(m_users, user) > 0 && user)
            user->RemoveFreeNotification(this);
        if (Owner() || !m_users.empty())
            return;
    }
    delete this;
}

void TRLGraphicStorage::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove
        && std::find(m_users.begin(), m_users.end(), component) != m_users.end())
        Unlink(component);
}

int TRLGraphicStorage::FirstPageNumber() const
{
    const std::lock_guard lock(m_mutex);
    return m_macros.IntValue(kFirstPageNumberMacro, 0);
}

void TRLGraphicStorage::SetFirstPageNumber(int number)
{
    const std::lock_guard lock(m_mutex);
    m_macros.SetIntValue(kFirstPageNumberMacro, number);
}

int TRLGraphicStorage::LastPageNumber() const
{
    const std::lock_guard lock(m_mutex);
    return m_macros.IntValue(kLastPageNumberMacro, 0);
}

void TRLGraphicStorage::SetLastPageNumber(int number)
{
    const std::lock_guard lock(m_mutex);
    m_macros.SetIntValue(kLastPageNumberMacro, number);
}

TRLPageOrientation TRLGraphicStorage::Orientation() const
{
    const std::lock_guard lock(m_mutex);
    return RLPageFormat::Orientation(m_macros);
}

void TRLGraphicStorage::SetOrientation(TRLPageOrientation orientation)
{
    const std::lock_guard lock(m_mutex);
    RLPageFormat::SetOrientation(m_macros, orientation);
}

double TRLGraphicStorage::PaperWidth() const
{
    const std::lock_guard lock(m_mutex);
    return RLPageFormat::PaperWidth(m_macros);
}

void TRLGraphicStorage::SetPaperWidth(double millimetres)
{
    const std::lock_guard lock(m_mutex);
    RLPageFormat::SetPaperWidth(m_macros, millimetres);
}

double TRLGraphicStorage::PaperHeight() const
{
    const std::lock_guard lock(m_mutex);
    return RLPageFormat::PaperHeight(m_macros);
}

void TRLGraphicStorage::SetPaperHeight(double millimetres)
{
    const std::lock_guard lock(m_mutex);
    RLPageFormat::SetPaperHeight(m_macros, millimetres);
}

QString TRLGraphicStorage::Title() const
{
    const std::lock_guard lock(m_mutex);
    return m_macros.Value(kTitleMacro);
}

void TRLGraphicStorage::SetTitle(const QString& title)
{
    const std::lock_guard lock(m_mutex);
    m_macros.SetValue(kTitleMacro, title);
}

void TRLGraphicStorage::SetWidth(int width)
{
    const std::lock_guard lock(m_mutex);
    m_macros.SetIntValue(kWidthMacro, width);
}

void TRLGraphicStorage::SetHeight(int height)
{
    const std::lock_guard lock(m_mutex);
    m_macros.SetIntValue(kHeightMacro, height);
}

double TRLGraphicStorage::OrientedWidth() const
{
    return Orientation() == TRLPageOrientation::poPortrait ? PaperWidth() : PaperHeight();
}

double TRLGraphicStorage::OrientedHeight() const
{
    return Orientation() == TRLPageOrientation::poPortrait ? PaperHeight() : PaperWidth();
}

int TRLGraphicStorage::OrientedPixelWidth() const
{
    return MillimetresToDots(OrientedWidth());
}

int TRLGraphicStorage::OrientedPixelHeight() const
{
    return MillimetresToDots(OrientedHeight());
}
