#include "tests/db/SqlTestDatabases.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

QString RunClient(const QString& program, const QStringList& arguments, const QByteArray& input)
{
    QProcess client;
    client.setProcessChannelMode(QProcess::MergedChannels);
    client.start(program, arguments);
    if (!client.waitForStarted())
        return program + QStringLiteral(": ") + client.errorString();
    client.write(input);
    client.closeWriteChannel();
    if (!client.waitForFinished(300000))
        return program + QStringLiteral(": did not finish");
    const QString output = QString::fromUtf8(client.readAll());
    if (client.exitStatus() != QProcess::NormalExit || client.exitCode() != 0)
        return QStringLiteral("%1 exited with %2: %3").arg(program).arg(client.exitCode()).arg(output);
    return {};
}

} // namespace

const char* BackendName(TSqlBackend backend)
{
    return backend == TSqlBackend::Sqlite ? "SQLite" : "PostgreSQL";
}

QByteArray SampleDatabaseAsSql(TSqlBackend backend)
{
    QStringList arguments { QStringLiteral("--sql"), QStringLiteral("--dialect"),
        backend == TSqlBackend::Sqlite ? QStringLiteral("sqlite") : QStringLiteral("postgresql") };
    for (const QFileInfo& table : QDir(QStringLiteral(QUIREL_BINARY_DIR "/sampledb"))
                                      .entryInfoList({ QStringLiteral("*.DB") }, QDir::Files, QDir::Name))
        arguments.append(table.filePath());
    QProcess pxdump;
    pxdump.start(QStringLiteral(QUIREL_BINARY_DIR "/tools/pxdump/pxdump"), arguments);
    EXPECT_TRUE(pxdump.waitForFinished(120000));
    EXPECT_EQ(pxdump.exitCode(), 0) << pxdump.readAllStandardError().toStdString();
    return pxdump.readAllStandardOutput();
}

QString PostgresSocketDir()
{
    const QString state = QStringLiteral(QUIREL_PG_STATE);
    QFile file(state);
    if (state.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "no PostgreSQL server: run the test through ctest, whose fixture starts one ("
                      << state.toStdString() << " is missing)";
        return {};
    }
    return QString::fromUtf8(file.readAll()).trimmed();
}

int PostgresPort()
{
    return QUIREL_PG_PORT;
}

TScratchDatabase::TScratchDatabase(TSqlBackend backend)
    : m_backend(backend)
{
    if (m_backend == TSqlBackend::Sqlite)
        return;
    m_name = QStringLiteral("quirel_%1").arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0'));
    const QString error = RunClient(QStringLiteral("psql"), ClientArguments(QStringLiteral("postgres")),
        QStringLiteral("CREATE DATABASE %1;\n").arg(m_name).toUtf8());
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
}

TScratchDatabase::~TScratchDatabase()
{
    if (m_backend == TSqlBackend::Sqlite)
        return;
    const QString error = RunClient(QStringLiteral("psql"), ClientArguments(QStringLiteral("postgres")),
        QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE);\n").arg(m_name).toUtf8());
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
}

QString TScratchDatabase::Url() const
{
    if (m_backend == TSqlBackend::Sqlite)
        return QStringLiteral("sqlite://") + File();
    return QStringLiteral("postgresql://postgres@/%1?host=%2&port=%3")
        .arg(m_name, PostgresSocketDir())
        .arg(PostgresPort());
}

QString TScratchDatabase::File() const
{
    return m_backend == TSqlBackend::Sqlite ? m_dir.filePath(QStringLiteral("test.db")) : QString();
}

QStringList TScratchDatabase::ClientArguments(const QString& database) const
{
    return { QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-v"),
        QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-h"), PostgresSocketDir(), QStringLiteral("-p"),
        QString::number(PostgresPort()), QStringLiteral("-U"), QStringLiteral("postgres"),
        QStringLiteral("-d"), database };
}

QString TScratchDatabase::Load(const QByteArray& script) const
{
    if (m_backend == TSqlBackend::Sqlite)
        return RunClient(QStringLiteral("sqlite3"), { QStringLiteral("-bail"), File() }, script);
    return RunClient(QStringLiteral("psql"), ClientArguments(m_name), script);
}
