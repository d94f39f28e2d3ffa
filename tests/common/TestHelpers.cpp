#include "tests/common/TestHelpers.h"

#include "platform/Exceptions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <csignal>
#include <gtest/gtest.h>

#ifndef QUIREL_SOURCE_DIR
#define QUIREL_SOURCE_DIR "."
#endif

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

TFileSizeLimit::TFileSizeLimit(rlim_t bytes)
{
    getrlimit(RLIMIT_FSIZE, &m_previous);
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_previous;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

TFileSizeLimit::~TFileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_previous);
    std::signal(SIGXFSZ, m_previousHandler);
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

QList<QByteArray> DamagedPictureData()
{
    // A 24-bit bitmap header: file header, then the 40-byte information header.
    const auto header = [](qint32 width, qint32 height) {
        QByteArray bytes("BM");
        const auto put = [&bytes](quint32 value, int size) {
            for (int i = 0; i < size; ++i)
                bytes.append(char((value >> (8 * i)) & 0xFF));
        };
        put(54 + 16, 4);
        put(0, 4);
        put(54, 4);
        put(40, 4);
        put(quint32(width), 4);
        put(quint32(height), 4);
        put(1, 2);
        put(24, 2);
        put(0, 4);
        put(16, 4);
        put(2835, 4);
        put(2835, 4);
        put(0, 4);
        put(0, 4);
        return bytes;
    };
    const QByteArray tag("BMP");
    return { tag + header(4, 2).left(30), tag + header(20000, 10000) + QByteArray(16, '\x7F'),
        tag + QByteArray("\x89PNG\r\n\x1A\n", 8) + QByteArray(16, '\0') };
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
