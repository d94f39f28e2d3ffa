#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

class QIODevice;

/// Writes a compound document (version 3, 512-byte sectors) whose root storage holds one stream,
/// kept in normal sectors whatever its length. In file order: the header, the stream's sectors
/// numbered from 0, the allocation-table sectors, the extra table sectors that list allocation-
/// table sectors beyond the header's 109 slots (only for streams past about 7 MB), one directory
/// sector. A stream shorter than the mini-stream cutoff (4096 bytes) is stored padded with zeros
/// to it, since readers look for such a stream in a mini stream. `stream` is read from its current position
/// for `streamSize` bytes. Failures throw EReportError naming `target` (the output) or the stream's source.
void WriteCompoundFile(QIODevice& out, const QString& target, const QString& streamName, QIODevice& stream,
    qint64 streamSize, const QString& streamSource);

/// Writes the stream's bytes into the document's device, exactly the size announced, and returns
/// how many it wrote; it throws EReportError for its own failures.
using TRLCompoundStreamWriter = std::function<qint64(QIODevice& out)>;
/// The same with the stream's bytes coming from `writeStream` in their place, so that a stream
/// made of parts needs no copy of its own; `out` is written through from start to end.
void WriteCompoundFile(QIODevice& out, const QString& target, const QString& streamName, qint64 streamSize,
    const TRLCompoundStreamWriter& writeStream);

/// The stream's size as stored: at least 4096 bytes unless it is empty.
qint64 CompoundStoredSize(qint64 streamSize);

/// The sector layout of a compound document holding a stream of `streamSize` bytes.
struct TRLCompoundLayout {
    quint32 StreamSectors = 0;
    quint32 TableSectors = 0;
    quint32 ExtraTableSectors = 0;
    quint32 DirectorySector = 0;

    static TRLCompoundLayout ForStream(qint64 streamSize);
};
