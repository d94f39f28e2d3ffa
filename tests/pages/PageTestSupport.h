#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class TRLGraphicSurface;

/// Little-endian bytes built by hand, so that expected records do not come from the writer.
class TBytes {
public:
    TBytes& U8(int value);
    TBytes& U16(int value);
    TBytes& I32(qint64 value);
    TBytes& Raw(QByteArrayView bytes);
    /// Int32 count, then the bytes.
    TBytes& Str(QByteArrayView bytes);
    const QByteArray& Data() const { return m_data; }
    operator QByteArray() const { return m_data; }

private:
    QByteArray m_data;
};

/// "RLGraphicSurface3" and 0x1A.
QByteArray SurfaceMagic();
/// Base part of an object body: bounds, group id, reserved.
TBytes BaseBody(int left, int top, int right, int bottom, int groupId = 0, int reserved = 0);

QByteArray SavePage(const TRLGraphicSurface& page);
/// Reads a page record; the reader's errors pass to the caller.
void LoadPage(TRLGraphicSurface& page, const QByteArray& bytes);

/// Points the store's temporary files at a directory of this test run.
void UseTestTempDir();
