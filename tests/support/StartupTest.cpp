#include "support/LocaleTexts.h"
#include "support/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace {

const QString kProbe = QStringLiteral(SUPPORT_PROBE_PATH);
constexpr int kWaitMs = 10000;

struct TProbeRun {
    QStringList files;
    QProcess::ExitStatus status = QProcess::NormalExit;
    int exitCode = -1;
};

/// Runs the probe with its temporary files in `tempDir`; `stop` acts once the files exist.
TProbeRun RunProbe(const QString& tempDir, const QStringList& arguments,
    const std::function<void(QProcess&, const QStringList&)>& stop = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"TMPDIR"_qs, tempDir);
    process.setProcessEnvironment(environment);
    process.start(kProbe, arguments);
    EXPECT_TRUE(process.waitForStarted(kWaitMs)) << kProbe.toStdString();
    TProbeRun run;
    const int expected = arguments.value(1).toInt();
    while (run.files.size() < expected && process.waitForReadyRead(kWaitMs)) {
        while (process.canReadLine())
            run.files << QString::fromLocal8Bit(process.readLine()).trimmed();
    }
    EXPECT_EQ(run.files.size(), expected);
    for (const QString& file : run.files)
        EXPECT_FALSE(file.startsWith(u"missing:"_qs)) << "not created: " << file.toStdString();
    if (stop)
        stop(process, run.files);
    EXPECT_TRUE(process.waitForFinished(kWaitMs));
    run.status = process.exitStatus();
    run.exitCode = process.exitCode();
    return run;
}

void ExpectGone(const QStringList& files, const char* how)
{
    for (const QString& file : files)
        EXPECT_FALSE(QFileInfo::exists(file)) << how << ": " << file.toStdString();
}

} // namespace

TEST(Startup, TempFilesAreDeletedAtNormalExit)
{
    QTemporaryDir dir;
    const TProbeRun run = RunProbe(dir.path(), { u"files"_qs, u"3"_qs, u"exit"_qs });
    EXPECT_EQ(run.status, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 0);
    for (const QString& file : run.files)
        EXPECT_TRUE(file.startsWith(dir.path() + u"/~qr"_qs)) << file.toStdString();
    ExpectGone(run.files, "return from main");
}

TEST(Startup, TempFilesAreDeletedWhenExitIsCalled)
{
    QTemporaryDir dir;
    const TProbeRun run = RunProbe(dir.path(), { u"files"_qs, u"2"_qs, u"exit-call"_qs });
    EXPECT_EQ(run.exitCode, 3);
    ExpectGone(run.files, "exit()");
}

TEST(Startup, TempFilesAreDeletedOnTerminationSignals)
{
    struct Case {
        int signalNumber;
        const char* name;
    };
    for (const Case c : { Case { SIGTERM, "SIGTERM" }, Case { SIGINT, "SIGINT" }, Case { SIGHUP, "SIGHUP" },
             Case { SIGQUIT, "SIGQUIT" }, Case { SIGPIPE, "SIGPIPE" } }) {
        QTemporaryDir dir;
        const TProbeRun run = RunProbe(dir.path(), { u"files"_qs, u"2"_qs, u"wait"_qs },
            [&](QProcess& process, const QStringList&) { kill(pid_t(process.processId()), c.signalNumber); });
        // The probe dies of the signal itself after cleaning up.
        EXPECT_EQ(run.status, QProcess::CrashExit) << c.name;
        ExpectGone(run.files, c.name);
        EXPECT_TRUE(QDir(dir.path()).isEmpty()) << c.name;
    }
}

TEST(Startup, StaleLogBesideTheExecutableIsRemoved)
{
    QTemporaryDir dir;
    const QString probe = dir.filePath(u"probe"_qs);
    ASSERT_TRUE(QFile::copy(kProbe, probe));
    const QString log = dir.filePath(u"ZAvu.log"_qs);
    QFile stale(log);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("left by an earlier run");
    stale.close();

    QProcess process;
    process.start(probe, { u"log"_qs });
    ASSERT_TRUE(process.waitForFinished(kWaitMs));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed(), log);
    EXPECT_FALSE(QFileInfo::exists(log)) << "stale log kept, or a new one written";
}

TEST(Startup, LibraryIsStartedForTheTests)
{
    EXPECT_EQ(TempDir(), QDir::tempPath());
    EXPECT_TRUE(LogFileName().endsWith(u"/ZAvu.log"_qs)) << LogFileName().toStdString();
    EXPECT_FALSE(LocaleText(0).isEmpty());
}
