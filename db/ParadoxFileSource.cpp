#include "db/ParadoxFileSource_p.h"

#include "db/DbErrors.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace paradox;

namespace {

/// Enough of the head for the size limit to find the header size and block size.
constexpr qsizetype kLimitHeadSize = 16;

QString FileKind(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("TParadoxReader", "a FIFO");
    if (S_ISCHR(mode))
        return QCoreApplication::translate("TParadoxReader", "a character device");
    if (S_ISBLK(mode))
        return QCoreApplication::translate("TParadoxReader", "a block device");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("TParadoxReader", "a socket");
    if (S_ISDIR(mode))
        return QCoreApplication::translate("TParadoxReader", "a directory");
    return QCoreApplication::translate("TParadoxReader", "not a regular file");
}

[[noreturn]] void RaiseCannotRead(const QString& path, int error)
{
    RaiseTableError(path,
        QCoreApplication::translate("TParadoxReader", "cannot be read: %1").arg(qt_error_string(error)));
}

} // namespace

TPxFileSource::TPxFileSource(const QString& path, const QString& table, const TSizeLimit& limit,
    std::span<const TPxWatchedBytes> watched, qint64 cacheBytes)
    : m_path(path)
    , m_table(table)
    , m_watched(watched)
    , m_cacheLimit(cacheBytes)
{
    const QByteArray name = QFile::encodeName(path);
    m_fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        const int error = errno;
        if (error == ENOENT)
            RaiseTableError(path, QCoreApplication::translate("TParadoxReader", "the file does not exist"));
        RaiseTableError(path,
            QCoreApplication::translate("TParadoxReader", "cannot be opened: %1")
                .arg(qt_error_string(error)));
    }
    try {
        struct stat info { };
        if (::fstat(m_fd, &info) != 0)
            RaiseCannotRead(path, errno);
        if (!S_ISREG(info.st_mode))
            RaiseTableError(path,
                QCoreApplication::translate("TParadoxReader", "is %1, not a table file; refused")
                    .arg(FileKind(info.st_mode)));
        m_identity = { quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
            qint64(info.st_mtim.tv_sec), qint64(info.st_mtim.tv_nsec) };
        const qint64 maximum = limit(ReadAt(0, kLimitHeadSize));
        if (m_identity.size > maximum)
            RaiseTableError(path,
                QCoreApplication::translate(
                    "TParadoxReader", "%1 bytes, more than the %2 the format allows; refused")
                    .arg(m_identity.size)
                    .arg(maximum));
        m_watchedBytes = WatchedBytes();
    } catch (...) {
        ::close(m_fd);
        throw;
    }
}

TPxFileSource::~TPxFileSource()
{
    ::close(m_fd);
}

QByteArray TPxFileSource::ReadAt(qint64 offset, qsizetype size) const
{
    QByteArray bytes(size, Qt::Uninitialized);
    qsizetype done = 0;
    while (done < size) {
        const ssize_t got = ::pread(m_fd, bytes.data() + done, size_t(size - done), off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            RaiseCannotRead(m_path, errno);
        if (got == 0)
            break;
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}

QByteArray TPxFileSource::WatchedBytes() const
{
    qsizetype end = 0;
    for (const TPxWatchedBytes& field : m_watched)
        end = std::max<qsizetype>(end, field.offset + field.size);
    const QByteArray head = ReadAt(0, end);
    QByteArray watched;
    for (const TPxWatchedBytes& field : m_watched)
        watched += head.mid(field.offset, field.size);
    return watched;
}

void TPxFileSource::CheckUnchanged()
{
    // By path, not by descriptor: a table replaced through a rename keeps the old inode open here.
    struct stat info { };
    if (::stat(QFile::encodeName(m_path).constData(), &info) != 0)
        RaiseChanged();
    const TIdentity now { quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
        qint64(info.st_mtim.tv_sec), qint64(info.st_mtim.tv_nsec) };
    // Timestamps can be coarse (network shares) or set back; the engine's counters move with each write.
    if (now != m_identity || WatchedBytes() != m_watchedBytes)
        RaiseChanged();
}

QByteArray TPxFileSource::Peek(qint64 offset, qsizetype size)
{
    QByteArray bytes = ReadAt(offset, size);
    if (bytes.size() != size)
        RaiseChanged();
    return bytes;
}

QByteArray TPxFileSource::Read(qint64 offset, qsizetype size)
{
    QByteArray bytes = ReadAt(offset, size);
    // Checked after the read: a write that reached the bytes read has moved the file's stamp by now.
    CheckUnchanged();
    if (bytes.size() != size)
        RaiseChanged();
    return bytes;
}

QByteArray TPxFileSource::Block(qint64 offset, qsizetype size)
{
    if (const auto found = m_cacheIndex.find(offset); found != m_cacheIndex.end()) {
        Q_ASSERT(found->second->second.size() == size);
        m_cache.splice(m_cache.begin(), m_cache, found->second);
        return found->second->second;
    }
    QByteArray bytes = Read(offset, size);
    while (!m_cache.empty() && m_cachedBytes + size > m_cacheLimit) {
        m_cachedBytes -= m_cache.back().second.size();
        m_cacheIndex.erase(m_cache.back().first);
        m_cache.pop_back();
    }
    m_cache.emplace_front(offset, bytes);
    m_cacheIndex.emplace(offset, m_cache.begin());
    m_cachedBytes += size;
    return bytes;
}

void TPxFileSource::RaiseChanged() const
{
    RaiseTableChanged(m_table, m_path);
}
