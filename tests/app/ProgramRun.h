#pragma once

#include <QString>
#include <QStringList>

class QProcess;

/// How a run of the built program ended.
struct TProgramRun {
    bool Finished = false;
    int ExitCode = -1;
    QString Out;
    QString Err;
    /// Standard output as it came, for a file written there.
    QByteArray OutBytes;
    /// The signal the program died of, when the run allows one.
    int Signal = 0;
};

/// Where a run keeps its files.
struct TProgramPlaces {
    /// TMPDIR of the run, and its working directory unless WorkDir is given.
    QString TempDir;
    QString WorkDir;
    /// Standard error goes into this file or device (a terminal) instead of into Err.
    QString ErrorDevice = {};
    /// The run's soft and hard limit of open files; 0 keeps the test's.
    int MaxOpenFiles = 0;
};

/// Runs the built ordemcompra as an operator's shell would, but with no display, the Brazilian
/// locale and a fixed clock. `environment` entries "NAME=value" set a variable, "-NAME" remove
/// one. A run that does not finish in two minutes or crashes fails the test. With `outputReader`
/// (not yet started) standard output is piped into that process, and a death by SIGPIPE is the
/// run's result (in Signal) rather than a crash.
TProgramRun RunOrdemCompra(const QStringList& arguments, const TProgramPlaces& places,
    const QStringList& environment = {}, QProcess* outputReader = nullptr);
