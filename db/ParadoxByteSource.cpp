#include "db/ParadoxByteSource_p.h"

TPxByteSource::~TPxByteSource() = default;

TPxMemorySource::TPxMemorySource(QByteArray bytes)
    : m_bytes(std::move(bytes))
{
}

qint64 TPxMemorySource::Size() const
{
    return m_bytes.size();
}

QByteArray TPxMemorySource::Block(qint64 offset, qsizetype size)
{
    // The views share m_bytes, which outlives every block the reader holds.
    return QByteArray::fromRawData(m_bytes.constData() + offset, size);
}

QByteArray TPxMemorySource::Read(qint64 offset, qsizetype size)
{
    return QByteArray(m_bytes.constData() + offset, size);
}

QByteArray TPxMemorySource::Peek(qint64 offset, qsizetype size)
{
    return QByteArray::fromRawData(m_bytes.constData() + offset, size);
}

void TPxMemorySource::CheckUnchanged()
{
}
