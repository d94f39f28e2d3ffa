#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <functional>
#include <memory>

/// Compresses bytes as they come into the zlib format that PDF's /FlateDecode reads, handing
/// the compressed bytes to a sink in pieces. Write any number of times, then Finish once.
class TRLDeflater {
public:
    using TSink = std::function<void(QByteArrayView compressed)>;

    explicit TRLDeflater(TSink sink);
    ~TRLDeflater();
    TRLDeflater(const TRLDeflater&) = delete;
    TRLDeflater& operator=(const TRLDeflater&) = delete;

    void Write(QByteArrayView bytes);
    /// Ends the compressed data; returns the count of bytes given to the sink.
    qint64 Finish();

private:
    struct TState;
    void Run(QByteArrayView bytes, bool finish);

    TSink m_sink;
    std::unique_ptr<TState> m_state;
    qint64 m_written = 0;
};

/// The bytes compressed in one go.
QByteArray Deflated(QByteArrayView bytes);
