#pragma once

#include <QByteArray>
#include <QtGlobal>

/// Where a Paradox reader's bytes come from: a table file (.DB) or its blob file (.MB), held in memory
/// or read from the open file a block at a time. Offsets and sizes asked for lie within Size(); the
/// reader checks them against it first.
class TPxByteSource {
public:
    virtual ~TPxByteSource();

    /// The size the file had when it was opened.
    virtual qint64 Size() const = 0;
    /// A block the reader will likely ask for again, kept in a bounded cache. Throws EReportError when
    /// the file is no longer the one opened.
    virtual QByteArray Block(qint64 offset, qsizetype size) = 0;
    /// Bytes read once, past the cache (a large blob would crowd out the blocks); owned by the result.
    /// Throws EReportError when the file is no longer the one opened.
    virtual QByteArray Read(qint64 offset, qsizetype size) = 0;
    /// Bytes of the headers read at open: not cached and not checked, so the opening must end with
    /// CheckUnchanged. Valid while the source lives.
    virtual QByteArray Peek(qint64 offset, qsizetype size) = 0;
    /// Throws EReportError when the file changed since it was opened.
    virtual void CheckUnchanged() = 0;
};

/// The bytes of a file already in memory (tests, the fuzzer): nothing to fetch, nothing can change.
class TPxMemorySource : public TPxByteSource {
public:
    explicit TPxMemorySource(QByteArray bytes);

    qint64 Size() const override;
    QByteArray Block(qint64 offset, qsizetype size) override;
    QByteArray Read(qint64 offset, qsizetype size) override;
    QByteArray Peek(qint64 offset, qsizetype size) override;
    void CheckUnchanged() override;

private:
    QByteArray m_bytes;
};
