#pragma once

#include <QByteArray>
#include <QString>

/// The engine-written sample tables beside the repository; empty when they are not there.
QString SampleDir();
/// Bytes of a sample file; empty when missing.
QByteArray SampleBytes(const QString& name);

/// Skips the test, with a message, when the samples are absent.
#define REQUIRE_SAMPLES()                                                                                    \
    do {                                                                                                     \
        if (SampleDir().isEmpty())                                                                           \
            GTEST_SKIP() << "paradox samples not found beside the repository (../shared/paradox-samples)";   \
    } while (false)
