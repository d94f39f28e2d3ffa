#include "tests/filters/PdfTestTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
constexpr int kToolTimeoutMs = 120000;
constexpr int kRenderDotsPerInch = 50;
/// A channel difference above a quarter of its range is a pixel that looks different.
constexpr int kVisibleChannelDifference = 64;
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

std::optional<QString> RunTool(
    const QString& program, const QStringList& arguments, const QStringList& environment)
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return std::nullopt;
    QProcess process;
    if (!environment.isEmpty()) {
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        for (const QString& entry : environment)
            variables.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
        process.setProcessEnvironment(variables);
    }
    process.start(program, arguments);
    const bool finished = process.waitForFinished(kToolTimeoutMs);
    EXPECT_TRUE(finished) << program.toStdString() << " did not finish";
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << " " << arguments.join(u' ').toStdString()
                                     << ": " << process.readAllStandardError().toStdString()
                                     << process.readAllStandardOutput().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QList<TPdfFontRow> PdfFonts(const QString& fileName)
{
    QList<TPdfFontRow> rows;
    const auto listed = RunTool(u"pdffonts"_s, { fileName });
    if (!listed) {
        ADD_FAILURE() << "pdffonts (poppler-utils) is not installed";
        return rows;
    }
    // name, type (one or two words), encoding, emb, sub, uni, object number, generation.
    static const QRegularExpression row(
        u"^(\\S+)\\s+(.+?)\\s+(\\S+)\\s+(yes|no)\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$"_s);
    for (const QString& line : listed->split(u'\n')) {
        const QRegularExpressionMatch match = row.match(line);
        if (!match.hasMatch())
            continue;
        rows.append({ match.captured(1), match.captured(2), match.captured(4) == u"yes",
            match.captured(5) == u"yes" });
    }
    return rows;
}

QStringList NoFontsEnvironment(const QString& workDir)
{
    const QDir dir(workDir);
    dir.mkpath(u"no-fonts"_s);
    dir.mkpath(u"fontconfig-cache"_s);
    QFile config(dir.filePath(u"no-fonts.conf"_s));
    EXPECT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n  <dir>"
        + QFile::encodeName(dir.filePath(u"no-fonts"_s)) + "</dir>\n  <cachedir>"
        + QFile::encodeName(dir.filePath(u"fontconfig-cache"_s)) + "</cachedir>\n</fontconfig>\n");
    config.close();
    return { u"FONTCONFIG_FILE="_s + config.fileName() };
}

namespace {

QImage Rendering(const QString& pdf, int page, const QString& outputBase, const QStringList& environment)
{
    const QString number = QString::number(page);
    const auto run = RunTool(u"pdftoppm"_s,
        { u"-r"_s, QString::number(kRenderDotsPerInch), u"-f"_s, number, u"-l"_s, number, u"-png"_s,
            u"-singlefile"_s, pdf, outputBase },
        environment);
    if (!run)
        ADD_FAILURE() << "pdftoppm (poppler-utils) is not installed";
    QImage image(outputBase + u".png"_s);
    if (image.isNull())
        ADD_FAILURE() << "no rendering of page " << page << " of " << pdf.toStdString();
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

TRenderDifference CompareRenderings(const QString& first, const QString& second, int page,
    const QString& workDir, const QStringList& secondEnvironment)
{
    TRenderDifference difference;
    QDir().mkpath(workDir);
    const auto base = [&](const QString& pdf) {
        return QDir(workDir).filePath(QFileInfo(pdf).completeBaseName() + u"-page"_s + QString::number(page));
    };
    difference.FirstImage = base(first) + u".png"_s;
    difference.SecondImage = base(second) + u".png"_s;
    const QImage a = Rendering(first, page, base(first), {});
    const QImage b = Rendering(second, page, base(second), secondEnvironment);
    if (a.isNull() || b.isNull() || a.size() != b.size()) {
        ADD_FAILURE() << "renderings of " << first.toStdString() << " and " << second.toStdString()
                      << " differ in size";
        return difference;
    }
    qint64 differing = 0;
    qint64 total = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int red = std::abs(qRed(rowA[x]) - qRed(rowB[x]));
            const int green = std::abs(qGreen(rowA[x]) - qGreen(rowB[x]));
            const int blue = std::abs(qBlue(rowA[x]) - qBlue(rowB[x]));
            total += red + green + blue;
            if (std::max({ red, green, blue }) > kVisibleChannelDifference)
                ++differing;
        }
    }
    const double pixels = double(a.width()) * a.height();
    difference.DifferingShare = differing / pixels;
    difference.MeanDifference = total / (pixels * 3);
    return difference;
}
