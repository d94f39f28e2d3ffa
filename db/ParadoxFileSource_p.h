#pragma once

#include "db/ParadoxByteSource_p.h"
#include "db/ParadoxFormat.h"

#include <QString>
#include <functional>
#include <list>
#include <span>
#include <unordered_map>

/// A table file read from the open file on demand, through a small LRU cache of blocks, so that memory
/// does not grow with the table. Every read from the file is followed by a check that the file is still
/// the one opened (same inode, size, modification time and header counters), so a report never mixes
/// two versions of a table that the business application writes meanwhile.
class TPxFileSource : public TPxByteSource {
public:
    /// The largest file accepted, given its first bytes (fewer when the file is that short).
    using TSizeLimit = std::function<qint64(QByteArrayView head)>;

    /// Opens `path`; anything but a regular file no larger than `limit` allows is refused before
    /// reading (a FIFO would wait for a writer, a device never ends). Errors name `path`; a change
    /// names `table`, the .DB the file belongs to. `watched` are header fields a writer changes.
    TPxFileSource(const QString& path, const QString& table, const TSizeLimit& limit,
        std::span<const paradox::TPxWatchedBytes> watched, qint64 cacheBytes);
    ~TPxFileSource() override;
    TPxFileSource(const TPxFileSource&) = delete;
    TPxFileSource& operator=(const TPxFileSource&) = delete;

    qint64 Size() const override { return m_identity.size; }
    QByteArray Block(qint64 offset, qsizetype size) override;
    QByteArray Read(qint64 offset, qsizetype size) override;
    QByteArray Peek(qint64 offset, qsizetype size) override;
    void CheckUnchanged() override;

private:
    /// What tells one version of the file from another, short of its contents.
    struct TIdentity {
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modifiedSeconds = 0;
        qint64 modifiedNanoseconds = 0;
        friend bool operator==(const TIdentity&, const TIdentity&) = default;
    };
    /// Up to `size` bytes; fewer only at the end of the file.
    QByteArray ReadAt(qint64 offset, qsizetype size) const;
    QByteArray WatchedBytes() const;
    [[noreturn]] void RaiseChanged() const;

    QString m_path;
    QString m_table;
    int m_fd = -1;
    TIdentity m_identity;
    std::span<const paradox::TPxWatchedBytes> m_watched;
    QByteArray m_watchedBytes;
    qint64 m_cacheLimit = 0;
    qint64 m_cachedBytes = 0;
    /// Most recently used first.
    std::list<std::pair<qint64, QByteArray>> m_cache;
    std::unordered_map<qint64, std::list<std::pair<qint64, QByteArray>>::iterator> m_cacheIndex;
};
