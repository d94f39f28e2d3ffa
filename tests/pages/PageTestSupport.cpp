#include "tests/pages/PageTestSupport.h"

#include "pages/RLByteReader.h"
#include "pages/RLByteWriter.h"
#include "pages/RLGraphicSurface.h"
#include "support/TempFiles.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtEndian>

TBytes& TBytes::U8(int value)
{
    m_data.append(char(value));
    return *this;
}

TBytes& TBytes::U16(int value)
{
    char bytes[2];
    qToLittleEndian<quint16>(quint16(value), bytes);
    m_data.append(bytes, 2);
    return *this;
}

TBytes& TBytes::I32(qint64 value)
{
    char bytes[4];
    qToLittleEndian<quint32>(quint32(value), bytes);
    m_data.append(bytes, 4);
    return *this;
}

TBytes& TBytes::Raw(QByteArrayView bytes)
{
    m_data.append(bytes);
    return *this;
}

TBytes& TBytes::Str(QByteArrayView bytes)
{
    return I32(bytes.size()).Raw(bytes);
}

QByteArray SurfaceMagic()
{
    return QByteArray("RLGraphicSurface3") + char(0x1A);
}

TBytes BaseBody(int left, int top, int right, int bottom, int groupId, int reserved)
{
    TBytes body;
    body.I32(left).I32(top).I32(right).I32(bottom).I32(groupId).I32(reserved);
    return body;
}

QByteArray SavePage(const TRLGraphicSurface& page)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TRLByteWriter out(buffer, QStringLiteral("page record"));
    page.SaveToStream(out);
    return bytes;
}

void LoadPage(TRLGraphicSurface& page, const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    TRLByteReader in(buffer, QStringLiteral("page record"));
    page.LoadFromStream(in);
}

void UseTestTempDir()
{
    static QTemporaryDir directory;
    SetTempDir(directory.path());
}
