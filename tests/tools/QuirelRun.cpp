#include "tests/tools/QuirelRun.h"

#include "tests/filters/PdfTestTools.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TQuirelRun RunQuirel(const QStringList& arguments, const QString& workDir, const QString& messages)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : { u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"LC_ALL"_s, u"LC_MESSAGES"_s,
             u"LANGUAGE"_s, u"QT_QPA_PLATFORM"_s, u"XDG_RUNTIME_DIR"_s })
        env.remove(name);
    env.insert(u"LANG"_s, u"pt_BR.UTF-8"_s);
    env.insert(u"LC_MESSAGES"_s, messages);
    env.insert(u"TMPDIR"_s, workDir);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workDir);
    process.start(QStringLiteral(QUIREL_BINARY_DIR "/tools/quirel/quirel"), arguments);
    EXPECT_TRUE(process.waitForFinished(120000)) << "quirel did not finish";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "quirel crashed";
    return { process.exitCode(), QString::fromUtf8(process.readAllStandardError()) };
}

QStringList PdfLines(const QString& pdf)
{
    const std::optional<QString> text = RunTool(u"pdftotext"_s, { u"-layout"_s, pdf, u"-"_s });
    EXPECT_TRUE(text) << "pdftotext failed on " << pdf.toStdString();
    QStringList lines = text.value_or(QString()).split(u'\n', Qt::SkipEmptyParts);
    for (QString& line : lines)
        line = line.simplified();
    lines.removeAll(QString());
    return lines;
}
