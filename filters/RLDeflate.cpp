#include "filters/RLDeflate.h"

#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <zlib.h>

namespace {

constexpr std::size_t kOutputChunk = 64 * 1024;
/// zlib counts its input in 32-bit units.
constexpr qsizetype kInputChunk = 1 << 30;

[[noreturn]] void RaiseDeflateFailed(int code)
{
    throw EReportError(QCoreApplication::translate("TRLPDFFilter", "Cannot compress a PDF stream: %1")
                           .arg(QString::fromLatin1(zError(code))));
}

} // namespace

struct TRLDeflater::TState {
    z_stream Stream {};
    std::array<unsigned char, kOutputChunk> Output {};
};

TRLDeflater::TRLDeflater(TSink sink)
    : m_sink(std::move(sink))
    , m_state(std::make_unique<TState>())
{
    if (const int code = deflateInit(&m_state->Stream, Z_DEFAULT_COMPRESSION); code != Z_OK)
        RaiseDeflateFailed(code);
}

TRLDeflater::~TRLDeflater()
{
    deflateEnd(&m_state->Stream);
}

void TRLDeflater::Write(QByteArrayView bytes)
{
    for (qsizetype start = 0; start < bytes.size(); start += kInputChunk)
        Run(bytes.sliced(start, std::min(kInputChunk, bytes.size() - start)), false);
}

qint64 TRLDeflater::Finish()
{
    Run({}, true);
    return m_written;
}

void TRLDeflater::Run(QByteArrayView bytes, bool finish)
{
    z_stream& stream = m_state->Stream;
    // zlib does not write through its input pointer.
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = uInt(bytes.size());
    const int flush = finish ? Z_FINISH : Z_NO_FLUSH;
    int code = Z_OK;
    do {
        stream.next_out = m_state->Output.data();
        stream.avail_out = uInt(m_state->Output.size());
        code = deflate(&stream, flush);
        if (code == Z_STREAM_ERROR)
            RaiseDeflateFailed(code);
        const auto produced = qsizetype(m_state->Output.size() - stream.avail_out);
        if (produced > 0) {
            m_sink(QByteArrayView(reinterpret_cast<const char*>(m_state->Output.data()), produced));
            m_written += produced;
        }
    } while (stream.avail_out == 0 || (finish && code != Z_STREAM_END));
}

QByteArray Deflated(QByteArrayView bytes)
{
    QByteArray compressed;
    TRLDeflater deflater([&](QByteArrayView piece) { compressed.append(piece); });
    deflater.Write(bytes);
    deflater.Finish();
    return compressed;
}
