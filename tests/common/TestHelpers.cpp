#include "tests/common/TestHelpers.h"

#include "platform/Exceptions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <gtest/gtest.h>

#ifndef QUIREL_SOURCE_DIR
#define QUIREL_SOURCE_DIR "."
#endif

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

QString ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EReportError& error) {
        return error.Message();
    }
    ADD_FAILURE() << "no EReportError was thrown";
    return {};
}

QString TestSourcePath(const QString& relative)
{
    return QDir(QStringLiteral(QUIREL_SOURCE_DIR "/tests")).filePath(relative);
}

void ExpectMatchesGolden(const QString& actual, const QString& relative)
{
    const QString path = TestSourcePath(QStringLiteral("golden/") + relative);
    QFile file(path);
    const QString actualPath = QDir::current().filePath(QStringLiteral("golden-actual/") + relative);
    QDir().mkpath(QFileInfo(actualPath).path());
    QFile actualFile(actualPath);
    if (actualFile.open(QIODevice::WriteOnly))
        actualFile.write(actual.toUtf8());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "missing golden file " << path.toStdString()
                                                << "; actual text written to " << actualPath.toStdString();
    const QStringList expectedLines = QString::fromUtf8(file.readAll()).split(u'\n');
    const QStringList actualLines = actual.split(u'\n');
    const qsizetype count = std::max(expectedLines.size(), actualLines.size());
    for (qsizetype i = 0; i < count; ++i) {
        const QString expected = i < expectedLines.size() ? expectedLines[i] : QStringLiteral("<end>");
        const QString got = i < actualLines.size() ? actualLines[i] : QStringLiteral("<end>");
        if (expected != got) {
            ADD_FAILURE() << relative.toStdString() << " line " << (i + 1)
                          << "\n  expected: " << expected.toStdString()
                          << "\n  actual:   " << got.toStdString() << "\n  diff -u " << path.toStdString()
                          << ' ' << actualPath.toStdString();
            return;
        }
    }
}

QStringList LibreOfficeArguments(const QString& profileDir, const QStringList& arguments)
{
    return QStringList { QStringLiteral("-env:UserInstallation=")
            + QUrl::fromLocalFile(profileDir).toString(),
        QStringLiteral("--headless"), QStringLiteral("--norestore") }
    + arguments;
}

QProcessEnvironment LibreOfficeEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LANGUAGE"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
    return env;
}

TNoPrintScheduler::TNoPrintScheduler()
    : m_saved(qgetenv("CUPS_SERVER"))
    , m_had(qEnvironmentVariableIsSet("CUPS_SERVER"))
{
    qputenv("CUPS_SERVER", m_dir.filePath(QStringLiteral("none.sock")).toLocal8Bit());
}

TNoPrintScheduler::~TNoPrintScheduler()
{
    if (m_had)
        qputenv("CUPS_SERVER", m_saved);
    else
        qunsetenv("CUPS_SERVER");
}
