#include "tests/filters/PdfTestTools.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {
constexpr int kToolTimeoutMs = 60000;
}

QList<QByteArray> PdfLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = bytes.indexOf("\r\n", start);
        if (end < 0)
            break;
        lines << bytes.mid(start, end - start);
        start = end + 2;
    }
    if (start < bytes.size())
        lines << bytes.mid(start);
    return lines;
}

bool ContainsLines(const QList<QByteArray>& lines, const QList<QByteArray>& expected)
{
    if (expected.isEmpty())
        return true;
    for (qsizetype i = 0; i + expected.size() <= lines.size(); ++i) {
        if (std::equal(expected.begin(), expected.end(), lines.begin() + i))
            return true;
    }
    return false;
}

int CountLines(const QList<QByteArray>& lines, const QByteArray& line)
{
    return int(std::count(lines.begin(), lines.end(), line));
}

std::optional<QString> RunTool(const QString& program, const QStringList& arguments)
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(kToolTimeoutMs);
    EXPECT_TRUE(finished) << program.toStdString() << " did not finish";
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << " " << arguments.join(u' ').toStdString()
                                     << ": " << process.readAllStandardError().toStdString()
                                     << process.readAllStandardOutput().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}
