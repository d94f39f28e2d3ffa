#include "tests/app/ProgramRun.h"

#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {
constexpr int kRunTimeoutMs = 120000;
}

TProgramRun RunOrdemCompra(const QStringList& arguments, const TProgramPlaces& places,
    const QStringList& environment, QProcess* outputReader)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : { u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"LC_ALL"_s, u"LC_MESSAGES"_s,
             u"LC_NUMERIC"_s, u"LC_TIME"_s, u"QUIREL_ALIAS_KORVANE"_s })
        env.remove(name);
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    env.insert(u"LANG"_s, u"pt_BR.UTF-8"_s);
    env.insert(u"SOURCE_DATE_EPOCH"_s, u"1795272800"_s);
    env.insert(u"TMPDIR"_s, places.TempDir);
    for (const QString& setting : environment) {
        if (setting.startsWith(u'-'))
            env.remove(setting.mid(1));
        else
            env.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    }
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(places.WorkDir.isEmpty() ? places.TempDir : places.WorkDir);
    if (places.MaxOpenFiles > 0) {
        process.setChildProcessModifier([limit = rlim_t(places.MaxOpenFiles)] {
            const rlimit both { limit, limit };
            setrlimit(RLIMIT_NOFILE, &both);
        });
    }
    if (outputReader)
        process.setStandardOutputProcess(outputReader);
    if (!places.ErrorDevice.isEmpty())
        process.setStandardErrorFile(places.ErrorDevice, QIODevice::Append);
    process.start(QStringLiteral(ORDEMCOMPRA_EXECUTABLE), arguments);
    if (outputReader)
        outputReader->start();
    TProgramRun run;
    if (!process.waitForFinished(kRunTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "ordemcompra did not finish: " << arguments.join(u' ').left(200).toStdString();
        return run;
    }
    // On a crash QProcess gives the signal as the exit code.
    if (outputReader && process.exitStatus() == QProcess::CrashExit && process.exitCode() == SIGPIPE)
        run.Signal = SIGPIPE;
    else
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "ordemcompra crashed";
    run.Finished = process.exitStatus() == QProcess::NormalExit;
    run.ExitCode = process.exitCode();
    run.OutBytes = process.readAllStandardOutput();
    run.Out = QString::fromUtf8(run.OutBytes);
    run.Err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
