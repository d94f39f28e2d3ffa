#include "XLSTestReader.h"

#include "../common/TestHelpers.h"

#include <QFile>
#include <QProcess>
#include <QtEndian>
#include <cstring>
#include <set>

namespace {

constexpr int kSector = 512;
constexpr quint32 kEnd = 0xFFFFFFFE;
constexpr quint32 kFree = 0xFFFFFFFF;
constexpr quint32 kFatMark = 0xFFFFFFFD;
constexpr quint32 kDifatMark = 0xFFFFFFFC;
constexpr quint16 kContinue = 0x003C;
constexpr quint16 kSst = 0x00FC;
constexpr quint16 kBof = 0x0809;
constexpr quint16 kEof = 0x000A;
constexpr int kMaxData = 8224;

QByteArray SectorAt(const QByteArray& file, quint32 sector)
{
    const qint64 offset = qint64(sector + 1) * kSector;
    if (offset + kSector > file.size())
        return {};
    return file.mid(offset, kSector);
}

} // namespace

quint16 U16(const QByteArray& data, int offset)
{
    return qFromLittleEndian<quint16>(data.constData() + offset);
}

quint32 U32(const QByteArray& data, int offset)
{
    return qFromLittleEndian<quint32>(data.constData() + offset);
}

double F64(const QByteArray& data, int offset)
{
    const quint64 bits = qFromLittleEndian<quint64>(data.constData() + offset);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QString CountedString(const QByteArray& data, int offset, int countBytes)
{
    const int count = countBytes == 1 ? quint8(data.at(offset)) : U16(data, offset);
    const int flag = quint8(data.at(offset + countBytes));
    if (flag != 1)
        return QStringLiteral("<flag %1>").arg(flag);
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(U16(data, offset + countBytes + 1 + 2 * i));
    return text;
}

QByteArray ReadWholeFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

TXLSTestStream ReadCompoundStream(const QByteArray& file)
{
    TXLSTestStream result;
    const auto fail = [&](const QString& why) {
        result.Error = why;
        result.Bytes.clear();
        return result;
    };
    if (file.size() < kSector || file.size() % kSector != 0)
        return fail(QStringLiteral("file size %1 is not whole sectors").arg(file.size()));
    if (file.left(8) != QByteArray::fromHex("D0CF11E0A1B11AE1"))
        return fail(QStringLiteral("bad signature"));
    if (U16(file, 28) != 0xFFFE || U16(file, 30) != 9 || U16(file, 26) != 3)
        return fail(QStringLiteral("bad byte order, sector shift or version"));
    const quint32 fatCount = U32(file, 44);
    const quint32 firstDir = U32(file, 48);
    quint32 difatSector = U32(file, 68);
    const quint32 difatCount = U32(file, 72);
    result.AllocationSectors = int(fatCount);
    result.ExtraTableSectors = int(difatCount);

    std::vector<quint32> fatSectors;
    for (int slot = 0; slot < 109 && fatSectors.size() < fatCount; ++slot)
        fatSectors.push_back(U32(file, 76 + 4 * slot));
    for (int slot = int(fatSectors.size()); slot < 109; ++slot) {
        if (U32(file, 76 + 4 * slot) != kFree)
            return fail(QStringLiteral("header table slot %1 not free").arg(slot));
    }
    for (quint32 d = 0; d < difatCount; ++d) {
        const QByteArray sector = SectorAt(file, difatSector);
        if (sector.isEmpty())
            return fail(QStringLiteral("extra table sector %1 outside the file").arg(difatSector));
        for (int slot = 0; slot < 127 && fatSectors.size() < fatCount; ++slot)
            fatSectors.push_back(U32(sector, 4 * slot));
        difatSector = U32(sector, 4 * 127);
    }
    if (difatCount > 0 && difatSector != kEnd)
        return fail(QStringLiteral("extra table chain does not end"));
    if (fatSectors.size() != fatCount)
        return fail(QStringLiteral("allocation table sectors missing"));

    std::vector<quint32> fat;
    for (const quint32 s : fatSectors) {
        const QByteArray sector = SectorAt(file, s);
        if (sector.isEmpty())
            return fail(QStringLiteral("allocation sector %1 outside the file").arg(s));
        for (int i = 0; i < 128; ++i)
            fat.push_back(U32(sector, 4 * i));
    }
    for (const quint32 s : fatSectors) {
        if (s >= fat.size() || fat[s] != kFatMark)
            return fail(QStringLiteral("allocation sector %1 not marked").arg(s));
    }
    const qint64 sectorsInFile = file.size() / kSector - 1;
    if (qint64(fat.size()) < sectorsInFile)
        return fail(QStringLiteral("the table covers %1 of %2 sectors").arg(fat.size()).arg(sectorsInFile));

    const auto chain = [&](quint32 start, std::vector<quint32>& sectors) -> bool {
        std::set<quint32> seen;
        for (quint32 s = start; s != kEnd;) {
            if (s >= fat.size() || s >= quint64(sectorsInFile) || !seen.insert(s).second)
                return false;
            sectors.push_back(s);
            s = fat[s];
            if (s == kFree || s == kFatMark || s == kDifatMark)
                return false;
        }
        return true;
    };
    std::vector<quint32> dirSectors;
    if (!chain(firstDir, dirSectors))
        return fail(QStringLiteral("broken directory chain"));
    QByteArray directory;
    for (const quint32 s : dirSectors)
        directory += SectorAt(file, s);
    const auto entryName = [&](int index) {
        const int base = index * 128;
        const int length = U16(directory, base + 64);
        QString name;
        for (int i = 0; i + 2 < length; i += 2)
            name += QChar(U16(directory, base + i));
        return name;
    };
    if (entryName(0) != QStringLiteral("Root Entry") || quint8(directory.at(66)) != 5)
        return fail(QStringLiteral("no root entry"));
    const quint32 child = U32(directory, 76);
    if (qint64(child) * 128 >= directory.size())
        return fail(QStringLiteral("root child outside the directory"));
    if (entryName(int(child)) != QStringLiteral("Workbook")
        || quint8(directory.at(int(child) * 128 + 66)) != 2)
        return fail(QStringLiteral("root child is not the Workbook stream"));
    const int base = int(child) * 128;
    const quint32 start = U32(directory, base + 116);
    const quint32 size = U32(directory, base + 120);
    std::vector<quint32> streamSectors;
    if (size > 0 && !chain(start, streamSectors))
        return fail(QStringLiteral("broken stream chain"));
    if (qint64(streamSectors.size()) != (qint64(size) + kSector - 1) / kSector)
        return fail(
            QStringLiteral("stream chain of %1 sectors for %2 bytes").arg(streamSectors.size()).arg(size));
    for (const quint32 s : streamSectors)
        result.Bytes += SectorAt(file, s);
    result.Bytes.truncate(size);
    return result;
}

std::vector<TXLSTestRecord> WalkRecords(const QByteArray& stream, QString* error)
{
    std::vector<TXLSTestRecord> records;
    qint64 offset = 0;
    quint16 lastMain = 0;
    int lastLength = 0;
    while (offset < stream.size()) {
        // Zeros after the last EOF pad a short stream to the container's cutoff.
        if (!records.empty() && records.back().Type == kEof
            && stream.sliced(offset).count('\0') == stream.size() - offset)
            break;
        if (offset + 4 > stream.size()) {
            *error = QStringLiteral("record header cut at %1").arg(offset);
            return records;
        }
        TXLSTestRecord record;
        record.Type = U16(stream, int(offset));
        const int length = U16(stream, int(offset + 2));
        record.Offset = offset;
        if (length > kMaxData || offset + 4 + length > stream.size()) {
            *error = QStringLiteral("record 0x%1 at %2 of %3 bytes runs past its limits")
                         .arg(record.Type, 4, 16, QLatin1Char('0'))
                         .arg(offset)
                         .arg(length);
            return records;
        }
        if (record.Type == kContinue && lastMain != kSst && lastLength != kMaxData) {
            *error = QStringLiteral("CONTINUE at %1 after record 0x%2 of %3 bytes")
                         .arg(offset)
                         .arg(lastMain, 4, 16, QLatin1Char('0'))
                         .arg(lastLength);
            return records;
        }
        if (record.Type != kContinue)
            lastMain = record.Type;
        lastLength = length;
        record.Data = stream.mid(offset + 4, length);
        records.push_back(record);
        offset += 4 + length;
    }
    return records;
}

std::vector<TXLSTestRecord> Substream(const std::vector<TXLSTestRecord>& records, int index)
{
    std::vector<TXLSTestRecord> part;
    int current = -1;
    for (const TXLSTestRecord& record : records) {
        if (record.Type == kBof)
            ++current;
        if (current == index)
            part.push_back(record);
        if (record.Type == kEof && current == index)
            break;
    }
    return part;
}

std::vector<TXLSTestRecord> RecordsOfType(const std::vector<TXLSTestRecord>& records, quint16 type)
{
    std::vector<TXLSTestRecord> found;
    for (const TXLSTestRecord& record : records) {
        if (record.Type == type)
            found.push_back(record);
    }
    return found;
}

QStringList SharedStrings(const std::vector<TXLSTestRecord>& records)
{
    // Join SST and its CONTINUE parts, remembering where each part starts, since a string split
    // across parts restarts with a flag byte.
    QByteArray joined;
    std::set<int> partStarts;
    bool inSst = false;
    for (const TXLSTestRecord& record : records) {
        if (record.Type == kSst) {
            inSst = true;
            joined = record.Data;
            continue;
        }
        if (inSst && record.Type == kContinue) {
            partStarts.insert(int(joined.size()));
            joined += record.Data;
            continue;
        }
        inSst = false;
    }
    QStringList strings;
    if (joined.size() < 8)
        return strings;
    const quint32 unique = U32(joined, 4);
    int pos = 8;
    for (quint32 i = 0; i < unique && pos + 3 <= joined.size(); ++i) {
        const int count = U16(joined, pos);
        pos += 3;
        QString text;
        for (int c = 0; c < count && pos + 2 <= joined.size(); ++c) {
            if (partStarts.count(pos))
                ++pos;
            text += QChar(U16(joined, pos));
            pos += 2;
        }
        strings << text;
    }
    return strings;
}

QString PythonWithXlrd()
{
    static const QString python = [] {
        for (const QString& candidate : { QStringLiteral("/usr/bin/python3"), QStringLiteral("python3") }) {
            QProcess probe;
            probe.start(candidate, { QStringLiteral("-c"), QStringLiteral("import xlrd") });
            if (probe.waitForFinished() && probe.exitStatus() == QProcess::NormalExit
                && probe.exitCode() == 0)
                return candidate;
        }
        return QString();
    }();
    return python;
}

QString XlrdDump(const QString& fileName, QString* error)
{
    QProcess process;
    process.start(PythonWithXlrd(), { TestSourcePath(QStringLiteral("filters/xls_dump.py")), fileName });
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        *error = QStringLiteral("xlrd did not finish");
        return {};
    }
    if (process.exitCode() != 0)
        *error = QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}
