#include "filters/RLPDFWriter.h"

#include "filters/RLDeflate.h"
#include "platform/Exceptions.h"
#include "support/SaveFiles.h"
#include "support/Windows1252.h"

#include <QCoreApplication>
#include <QFileDevice>
#include <QIODevice>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr QByteArrayView kLineEnd { "\r\n" };
constexpr double kPointsPerInch = 72.0;
constexpr double kDotsPerInch = 96.0;
constexpr double kColorScale = 255.0;
constexpr int kNumberDecimals = 4;
/// Bytes gathered before they go to the device.
constexpr qsizetype kBufferSize = 64 * 1024;
constexpr int kOffsetDigits = 10;
constexpr QByteArrayView kFreeEntry { "0000000000 65535 f" };
constexpr QByteArrayView kInUseSuffix { " 00000 n" };
constexpr char kFirstPrintable = 32;
constexpr char kDelete = 127;

/// Room for any double in fixed notation with four decimals.
constexpr qsizetype kNumberBufferSize = 330;

[[noreturn]] void RaiseWriteFailed(const QIODevice& device, const QString& target)
{
    if (!target.isEmpty())
        RaiseCannotWrite(target, device.errorString());
    if (const auto* file = qobject_cast<const QFileDevice*>(&device))
        RaiseCannotWrite(file->fileName(), device.errorString());
    throw EReportError(QCoreApplication::translate("TRLPDFFilter", "Cannot write the PDF file: %1")
                           .arg(device.errorString()));
}

/// Strips trailing zeros and then a trailing point from a fixed-notation number.
qsizetype TrimFraction(const char* text, qsizetype length)
{
    while (text[length - 1] == '0')
        --length;
    if (text[length - 1] == '.')
        --length;
    return length;
}

/// Below this magnitude value * 10^4 is exact enough in a double to stand for the value.
constexpr double kFastLimit = 1e11;
constexpr double kScale = 10000;
/// How far value * 10^4 may lie from a whole number and still be that number: far below the
/// half unit at which rounding to four decimals could go either way.
constexpr double kWholeTolerance = 1e-6;

/// Most numbers are dots times 0.75, which have at most four decimals: they are written from
/// their whole number of ten-thousandths. Returns 0 when the number needs real rounding.
qsizetype FormatExactNumber(double value, char* out)
{
    if (!(std::fabs(value) < kFastLimit))
        return 0;
    const double scaled = value * kScale;
    const double whole = std::nearbyint(scaled);
    if (std::fabs(scaled - whole) > kWholeTolerance)
        return 0;
    auto units = static_cast<long long>(whole);
    // A value that rounds to zero is written without a sign.
    if (units == 0) {
        out[0] = '0';
        return 1;
    }
    qsizetype length = 0;
    if (units < 0) {
        out[length++] = '-';
        units = -units;
    }
    const long long integral = units / static_cast<long long>(kScale);
    const long long fraction = units % static_cast<long long>(kScale);
    length = std::to_chars(out + length, out + kNumberBufferSize, integral).ptr - out;
    if (fraction != 0) {
        out[length++] = '.';
        for (long long digit = static_cast<long long>(kScale) / 10; digit > 0; digit /= 10)
            out[length++] = char('0' + fraction / digit % 10);
        length = TrimFraction(out, length);
    }
    return length;
}

/// Writes the number into `out` (at least kNumberBufferSize bytes); returns its length.
qsizetype FormatNumber(double value, char* out)
{
    if (const qsizetype length = FormatExactNumber(value, out))
        return length;
    const auto [end, error]
        = std::to_chars(out, out + kNumberBufferSize, value, std::chars_format::fixed, kNumberDecimals);
    if (error != std::errc()) {
        out[0] = '0';
        return 1;
    }
    qsizetype length = TrimFraction(out, end - out);
    // A tiny negative value rounds to "-0", which is zero.
    if (length == 2 && out[0] == '-' && out[1] == '0') {
        out[0] = '0';
        length = 1;
    }
    return length;
}

}

QByteArray PdfNumber(double value)
{
    std::array<char, kNumberBufferSize> digits;
    return QByteArray(digits.data(), FormatNumber(value, digits.data()));
}

QByteArray PdfPoints(double dots)
{
    return PdfNumber(dots / kDotsPerInch * kPointsPerInch);
}

QByteArray PdfColorComponent(quint8 component)
{
    return PdfNumber(component / kColorScale);
}

QByteArray PdfStringBody(QStringView text)
{
    return PdfEscapedBytes(ToWindows1252(text));
}

namespace {

/// A byte takes at most four bytes once escaped ("\\ooo").
constexpr qsizetype kMaxEscapedSize = 4;

/// Writes the bytes escaped as the body of a PDF string into `out`, which has room for
/// kMaxEscapedSize bytes per byte; returns the count written.
qsizetype EscapeInto(char* out, QByteArrayView bytes)
{
    char* next = out;
    for (const char byte : bytes) {
        if (byte == '(' || byte == ')' || byte == '\\') {
            *next++ = '\\';
            *next++ = byte;
        } else if ((byte >= 0 && byte < kFirstPrintable) || byte == kDelete) {
            const int code = static_cast<unsigned char>(byte);
            *next++ = '\\';
            *next++ = char('0' + ((code >> 6) & 7));
            *next++ = char('0' + ((code >> 3) & 7));
            *next++ = char('0' + (code & 7));
        } else {
            *next++ = byte;
        }
    }
    return next - out;
}

}

QByteArray PdfEscapedBytes(QByteArrayView bytes)
{
    QByteArray body(bytes.size() * kMaxEscapedSize, Qt::Uninitialized);
    body.truncate(EscapeInto(body.data(), bytes));
    return body;
}

TRLPDFWriter::TRLPDFWriter(QIODevice& device, QString target)
    : m_device(device)
    , m_target(std::move(target))
    , m_buffer(std::size_t(kBufferSize))
{
}

TRLPDFWriter::~TRLPDFWriter() = default;

void TRLPDFWriter::Write(QByteArrayView bytes)
{
    if (bytes.size() > kBufferSize - m_used) {
        Flush();
        if (bytes.size() > kBufferSize) {
            WriteToDevice(bytes);
            m_position += bytes.size();
            return;
        }
    }
    std::memcpy(m_buffer.data() + m_used, bytes.data(), std::size_t(bytes.size()));
    m_used += bytes.size();
    m_position += bytes.size();
}

char* TRLPDFWriter::Reserve(qsizetype size)
{
    if (size > kBufferSize - m_used)
        Flush();
    return m_buffer.data() + m_used;
}

void TRLPDFWriter::Commit(qsizetype size)
{
    m_used += size;
    m_position += size;
}

void TRLPDFWriter::WriteNumber(double value)
{
    Commit(FormatNumber(value, Reserve(kNumberBufferSize)));
}

void TRLPDFWriter::WriteInteger(qint64 value)
{
    char* out = Reserve(kNumberBufferSize);
    Commit(std::to_chars(out, out + kNumberBufferSize, value).ptr - out);
}

void TRLPDFWriter::WriteEscaped(QByteArrayView bytes)
{
    constexpr qsizetype kChunk = kBufferSize / kMaxEscapedSize;
    for (qsizetype start = 0; start < bytes.size(); start += kChunk) {
        const QByteArrayView chunk = bytes.sliced(start, std::min(kChunk, bytes.size() - start));
        Commit(EscapeInto(Reserve(chunk.size() * kMaxEscapedSize), chunk));
    }
}

void TRLPDFWriter::WritePoints(double dots)
{
    WriteNumber(dots / kDotsPerInch * kPointsPerInch);
}

void TRLPDFWriter::WriteLine(QByteArrayView line)
{
    Write(line);
    Write(kLineEnd);
}

void TRLPDFWriter::WriteLineEnd()
{
    Write(kLineEnd);
}

void TRLPDFWriter::Flush()
{
    WriteToDevice(QByteArrayView(m_buffer.data(), m_used));
    m_used = 0;
}

void TRLPDFWriter::WriteToDevice(QByteArrayView bytes)
{
    if (m_deflater) {
        m_deflater->Write(bytes);
        return;
    }
    if (!bytes.isEmpty() && !WriteWhole(m_device, bytes))
        RaiseWriteFailed(m_device, m_target);
}

int TRLPDFWriter::ReserveObject()
{
    m_offsets.push_back(0);
    return int(m_offsets.size());
}

void TRLPDFWriter::StartObject(int number)
{
    m_offsets.at(std::size_t(number - 1)) = m_position;
}

QByteArray TRLPDFWriter::Reference(int number)
{
    return QByteArray::number(number) + " 0 R";
}

int TRLPDFWriter::BeginDictionary(int number)
{
    if (number == 0)
        number = ReserveObject();
    StartObject(number);
    WriteLine(QByteArray::number(number) + " 0 obj <<");
    return number;
}

void TRLPDFWriter::EndDictionary()
{
    WriteLine(">> endobj");
}

int TRLPDFWriter::BeginPlainObject(int number)
{
    if (number == 0)
        number = ReserveObject();
    StartObject(number);
    WriteLine(QByteArray::number(number) + " 0 obj");
    return number;
}

void TRLPDFWriter::EndPlainObject()
{
    WriteLine("endobj");
}

void TRLPDFWriter::BeginStream(TRLStreamFilter filter)
{
    if (filter == TRLStreamFilter::Flate)
        WriteLine("/Filter/FlateDecode");
    WriteLine(">>");
    WriteLine("stream");
    m_streamStart = m_position;
    if (filter == TRLStreamFilter::Flate) {
        Flush();
        m_deflater = std::make_unique<TRLDeflater>([this](QByteArrayView compressed) {
            if (!WriteWhole(m_device, compressed))
                RaiseWriteFailed(m_device, m_target);
        });
    }
}

void TRLPDFWriter::EndStream(int lengthNumber)
{
    qint64 length = m_position - m_streamStart;
    if (m_deflater) {
        Flush();
        length = m_deflater->Finish();
        m_deflater.reset();
        m_position = m_streamStart + length;
        // The line end before "endstream" is not part of compressed data.
        WriteLineEnd();
    }
    WriteLine("endstream");
    WriteLine("endobj");
    BeginPlainObject(lengthNumber);
    WriteLine(QByteArray::number(length));
    EndPlainObject();
}

void TRLPDFWriter::WriteTrailer(int rootNumber, int infoNumber)
{
    const qint64 xrefOffset = m_position;
    const QByteArray size = QByteArray::number(qint64(m_offsets.size()) + 1);
    WriteLine("xref");
    WriteLine("0 " + size);
    WriteLine(kFreeEntry);
    for (const qint64 offset : m_offsets)
        WriteLine(QByteArray::number(offset).rightJustified(kOffsetDigits, '0').append(kInUseSuffix));
    WriteLine("trailer");
    WriteLine("<<");
    WriteLine("/Size " + size);
    WriteLine("/Root " + Reference(rootNumber));
    WriteLine("/Info " + Reference(infoNumber));
    WriteLine(">>");
    WriteLine("startxref");
    WriteLine(QByteArray::number(xrefOffset));
    WriteLine("%%EOF");
    Flush();
}
