#pragma once

#include <QByteArray>
#include <QString>

/// The engine-written Paradox tables kept with the tests (tests/data/paradox).
QString SampleDir();
/// Bytes of a sample file; empty when missing, which the calling test then fails on.
QByteArray SampleBytes(const QString& name);
