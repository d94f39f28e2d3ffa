#include "filters/RLXLSXPackageCheck.h"

#include <QByteArray>
#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <zlib.h>

namespace {

// Zip records, as libxlsxwriter writes them: no comment, no zip64.
constexpr qint64 kEndRecordSize = 22;
constexpr quint32 kEndSignature = 0x06054B50;
constexpr int kEndEntryCount = 10;
constexpr int kEndDirectorySize = 12;
constexpr int kEndDirectoryStart = 16;
constexpr quint32 kEntrySignature = 0x02014B50;
constexpr int kEntryFixedSize = 46;
constexpr int kEntryMethod = 10;
constexpr int kEntryCompressedSize = 20;
constexpr int kEntryNameLength = 28;
constexpr int kEntryExtraLength = 30;
constexpr int kEntryCommentLength = 32;
constexpr int kEntryLocalHeader = 42;
constexpr quint32 kLocalSignature = 0x04034B50;
constexpr int kLocalFixedSize = 30;
constexpr int kLocalNameLength = 26;
constexpr int kLocalExtraLength = 28;
constexpr quint16 kMethodStored = 0;
constexpr quint16 kMethodDeflated = 8;
/// zlib's window bits for a raw deflate stream, as zip stores it.
constexpr int kRawDeflate = -15;
constexpr qint64 kChunk = 64 * 1024;
/// Bytes kept of a part's start (its root element's name) and of its end.
constexpr qsizetype kHeadSize = 512;
constexpr qsizetype kTailSize = 128;

quint16 U16(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 U32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

/// The name of the document's root element: the first tag that is not a declaration or comment.
QByteArray RootName(const QByteArray& head)
{
    for (qsizetype at = head.indexOf('<'); at >= 0 && at + 1 < head.size(); at = head.indexOf('<', at + 1)) {
        const char next = head[at + 1];
        if (next == '?' || next == '!')
            continue;
        qsizetype end = at + 1;
        while (end < head.size() && head[end] != ' ' && head[end] != '>' && head[end] != '/'
            && head[end] != '\r' && head[end] != '\n')
            ++end;
        return head.mid(at + 1, end - at - 1);
    }
    return {};
}

/// Whether the part's text ends with its root element's closing tag.
bool PartEndsWhole(const QByteArray& head, const QByteArray& tail)
{
    const QByteArray root = RootName(head);
    return !root.isEmpty() && tail.trimmed().endsWith("</" + root + '>');
}

/// Keeps the first kHeadSize and the last kTailSize bytes of what is appended.
class TPartEnds {
public:
    void Append(const char* data, qsizetype size)
    {
        const qsizetype toHead = std::min(size, kHeadSize - Head.size());
        Head.append(data, toHead);
        Tail.append(data, size);
        if (Tail.size() > kTailSize)
            Tail.remove(0, Tail.size() - kTailSize);
    }
    QByteArray Head;
    QByteArray Tail;
};

bool InflatePart(QFile& file, qint64 compressedSize, TPartEnds& ends)
{
    z_stream stream {};
    if (inflateInit2(&stream, kRawDeflate) != Z_OK)
        return false;
    QByteArray in(kChunk, '\0');
    QByteArray out(kChunk, '\0');
    int status = Z_OK;
    qint64 left = compressedSize;
    while (status != Z_STREAM_END && left > 0) {
        const qint64 got = file.read(in.data(), std::min(left, kChunk));
        if (got <= 0)
            break;
        left -= got;
        stream.next_in = reinterpret_cast<Bytef*>(in.data());
        stream.avail_in = uInt(got);
        do {
            stream.next_out = reinterpret_cast<Bytef*>(out.data());
            stream.avail_out = uInt(out.size());
            status = inflate(&stream, Z_NO_FLUSH);
            if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR)
                break;
            ends.Append(out.constData(), out.size() - qsizetype(stream.avail_out));
        } while (stream.avail_out == 0 && status != Z_STREAM_END);
        if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR)
            break;
    }
    inflateEnd(&stream);
    return status == Z_STREAM_END;
}

bool PartWhole(QFile& file, const QByteArray& entry)
{
    const quint16 method = U16(entry, kEntryMethod);
    const qint64 compressedSize = U32(entry, kEntryCompressedSize);
    if (!file.seek(U32(entry, kEntryLocalHeader)))
        return false;
    const QByteArray local = file.read(kLocalFixedSize);
    if (local.size() != kLocalFixedSize || U32(local, 0) != kLocalSignature
        || !file.seek(file.pos() + U16(local, kLocalNameLength) + U16(local, kLocalExtraLength)))
        return false;
    TPartEnds ends;
    if (method == kMethodStored) {
        const QByteArray data = file.read(compressedSize);
        if (data.size() != compressedSize)
            return false;
        ends.Append(data.constData(), data.size());
    } else if (method != kMethodDeflated || !InflatePart(file, compressedSize, ends)) {
        return false;
    }
    return PartEndsWhole(ends.Head, ends.Tail);
}

} // namespace

bool XLSXPackageWhole(QFile& file)
{
    const qint64 size = file.size();
    if (size < kEndRecordSize || !file.seek(size - kEndRecordSize))
        return false;
    const QByteArray end = file.read(kEndRecordSize);
    if (end.size() != kEndRecordSize || U32(end, 0) != kEndSignature)
        return false;
    const qint64 directorySize = U32(end, kEndDirectorySize);
    const qint64 directoryStart = U32(end, kEndDirectoryStart);
    if (directoryStart + directorySize != size - kEndRecordSize || !file.seek(directoryStart))
        return false;
    const QByteArray directory = file.read(directorySize);
    if (directory.size() != directorySize)
        return false;
    qsizetype at = 0;
    for (int i = 0; i < U16(end, kEndEntryCount); ++i) {
        if (at + kEntryFixedSize > directory.size() || U32(directory, at) != kEntrySignature)
            return false;
        const qsizetype nameLength = U16(directory, at + kEntryNameLength);
        const qsizetype entrySize = kEntryFixedSize + nameLength + U16(directory, at + kEntryExtraLength)
            + U16(directory, at + kEntryCommentLength);
        if (at + entrySize > directory.size())
            return false;
        const QByteArray entry = directory.mid(at, entrySize);
        const QByteArray name = entry.mid(kEntryFixedSize, nameLength);
        if ((name.endsWith(".xml") || name.endsWith(".rels")) && !PartWhole(file, entry))
            return false;
        at += entrySize;
    }
    return at == directory.size();
}
