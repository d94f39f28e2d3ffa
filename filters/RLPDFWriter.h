#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <memory>
#include <vector>

class QIODevice;
class TRLDeflater;

/// How a stream's data is encoded in the file.
enum class TRLStreamFilter { None, Flate };

/// A real number with four decimals, a point and no exponent, then trailing zeros and a trailing
/// point removed: 12.5, 3, 0.75.
QByteArray PdfNumber(double value);
/// Dots at 96 per inch as points.
QByteArray PdfPoints(double dots);
/// A colour component 0..255 as 0..1.
QByteArray PdfColorComponent(quint8 component);
/// The body of a PDF string (without the parentheses) holding the text as Windows-1252 bytes:
/// '(', ')' and '\' get a backslash, other bytes below 32 and 127 become "\ooo", bytes of 128 and
/// above stay; a character outside Windows-1252 becomes '?'.
QByteArray PdfStringBody(QStringView text);
/// As PdfStringBody, for text already in Windows-1252 bytes.
QByteArray PdfEscapedBytes(QByteArrayView bytes);

/// Writes the objects of a PDF file and remembers their offsets for the cross-reference table.
/// Every line ends with CR LF. Object numbers start at 1; a number may be reserved before its
/// object is written.
class TRLPDFWriter {
public:
    /// `target` names the device in messages; by default the file's name.
    explicit TRLPDFWriter(QIODevice& device, QString target = {});
    ~TRLPDFWriter();
    TRLPDFWriter(const TRLPDFWriter&) = delete;
    TRLPDFWriter& operator=(const TRLPDFWriter&) = delete;

    /// Bytes written so far.
    qint64 Position() const { return m_position; }
    void Write(QByteArrayView bytes);
    void WriteLine(QByteArrayView line);
    void WriteLineEnd();
    /// As PdfNumber and PdfPoints, without a line end.
    void WriteNumber(double value);
    void WritePoints(double dots);
    void WriteInteger(qint64 value);
    /// Windows-1252 bytes escaped as the body of a string, as PdfEscapedBytes.
    void WriteEscaped(QByteArrayView bytes);

    /// A new object number whose offset is set when the object is written.
    int ReserveObject();
    int ObjectCount() const { return int(m_offsets.size()); }

    /// "n 0 obj <<"; the number is reserved when 0 is given. Returns the number.
    int BeginDictionary(int number = 0);
    /// ">> endobj".
    void EndDictionary();
    /// "n 0 obj"; the number is reserved when 0 is given. Returns the number.
    int BeginPlainObject(int number = 0);
    /// "endobj".
    void EndPlainObject();
    /// Closes the open dictionary with ">>" and "stream"; the stream data follows. With Flate
    /// the dictionary gets its /Filter entry first and everything written up to EndStream is
    /// compressed on its way to the device.
    void BeginStream(TRLStreamFilter filter = TRLStreamFilter::None);
    /// "endstream", "endobj", then the plain object `lengthNumber` holding the data's length.
    void EndStream(int lengthNumber);

    /// The cross-reference table and the trailer; flushes everything to the device.
    void WriteTrailer(int rootNumber, int infoNumber);
    /// Sends the buffered bytes to the device.
    void Flush();

    /// "n 0 R".
    static QByteArray Reference(int number);

private:
    void StartObject(int number);

    void WriteToDevice(QByteArrayView bytes);
    /// Room for `size` bytes at the end of the buffer, flushing it first when needed.
    char* Reserve(qsizetype size);
    /// Counts `size` bytes written into the room Reserve gave.
    void Commit(qsizetype size);

    QIODevice& m_device;
    QString m_target;
    std::vector<char> m_buffer;
    qsizetype m_used = 0;
    qint64 m_position = 0;
    /// Byte offset of each object, index = number - 1; 0 until written.
    std::vector<qint64> m_offsets;
    qint64 m_streamStart = 0;
    /// Set while a compressed stream is open.
    std::unique_ptr<TRLDeflater> m_deflater;
};
