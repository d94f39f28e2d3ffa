#include "db/GraphicBlob.h"

#include <QtEndian>

namespace {
constexpr qsizetype kGraphicHeaderSize = 8;
constexpr quint16 kGraphicCount = 1;
constexpr quint16 kGraphicKind = 0x0100;
}

QByteArrayView GraphicPayload(QByteArrayView blob)
{
    if (blob.size() < kGraphicHeaderSize)
        return blob;
    const auto* bytes = reinterpret_cast<const uchar*>(blob.data());
    const bool isHeader = qFromLittleEndian<quint16>(bytes) == kGraphicCount
        && qFromLittleEndian<quint16>(bytes + 2) == kGraphicKind
        && qFromLittleEndian<quint32>(bytes + 4) == quint64(blob.size() - kGraphicHeaderSize);
    return isHeader ? blob.sliced(kGraphicHeaderSize) : blob;
}
