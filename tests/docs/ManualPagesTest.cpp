// Each installed command's manual page and bash completion name the options the command itself
// lists in --help, so that neither falls behind the program.
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kTimeoutMs = 60000;

QString DocsPath(const QString& relative)
{
    return QStringLiteral(QUIREL_SOURCE_DIR "/docs/") + relative;
}

struct TOutput {
    int ExitCode = -1;
    QString Out;
    QString Err;
};

TOutput RunCommand(const QString& program, const QStringList& arguments, const QStringList& environment = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& setting : environment)
        env.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    TOutput output;
    if (!process.waitForFinished(kTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << program.toStdString() << " did not finish";
        return output;
    }
    output.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    output.Out = QString::fromUtf8(process.readAllStandardOutput());
    output.Err = QString::fromUtf8(process.readAllStandardError());
    return output;
}

/// The options a text names: "--pdf", "-j".
QSet<QString> OptionsIn(const QString& text)
{
    static const QRegularExpression option(u"(?:^|[\\s\\[(,])(--?[a-z][a-z-]*)(?=[\\s\\]),=]|$)"_s);
    QSet<QString> found;
    for (const QRegularExpressionMatch& match : option.globalMatch(text))
        found.insert(match.captured(1));
    return found;
}

QString Sorted(const QSet<QString>& options)
{
    QStringList list(options.begin(), options.end());
    list.sort();
    return list.join(u' ');
}

/// What the command's completion offers for "-" typed after `words`.
QSet<QString> CompletedOptions(const QString& command, const QStringList& words)
{
    const QString script = u"source \"$1\"; function=$(complete -p \"$2\" | sed -E 's/.*-F ([^ ]+).*/\\1/');"
                           u" shift 2; COMP_WORDS=(\"$@\" -); COMP_CWORD=$#; \"$function\";"
                           u" printf '%s\\n' \"${COMPREPLY[@]}\""_s;
    const TOutput run = RunCommand(u"bash"_s,
        QStringList { u"-c"_s, script, u"bash"_s, DocsPath(u"completion/"_s + command), command } + words);
    EXPECT_EQ(run.ExitCode, 0) << command.toStdString() << ": " << run.Err.toStdString();
    const QStringList offered = run.Out.split(u'\n', Qt::SkipEmptyParts);
    return QSet<QString>(offered.begin(), offered.end());
}

/// The page as man-db shows it, in plain ASCII.
TOutput ManualPage(const QString& command)
{
    return RunCommand(u"man"_s, { u"--warnings"_s, u"-l"_s, DocsPath(u"man/"_s + command + u".1"_s) },
        { u"LC_ALL=C"_s, u"LANG=C"_s, u"MANWIDTH=100"_s, u"MANPAGER=cat"_s, u"PAGER=cat"_s });
}

} // namespace

TEST(ManualPages, ShowTheOptionsEachCommandLists)
{
    struct Case {
        QString command;
        QString executable;
        QStringList wordsBefore;
    };
    const Case cases[] = {
        { u"ordemcompra"_s, QStringLiteral(ORDEMCOMPRA_EXECUTABLE), { u"ordemcompra"_s, u"7"_s } },
        { u"pxdump"_s, QStringLiteral(PXDUMP_EXECUTABLE), { u"pxdump"_s } },
        { u"quirel"_s, QStringLiteral(QUIREL_EXECUTABLE), { u"quirel"_s, u"render"_s, u"layout.json"_s } },
    };
    for (const Case& c : cases) {
        const std::string what = c.command.toStdString();
        const TOutput page = ManualPage(c.command);
        EXPECT_EQ(page.ExitCode, 0) << what << ": " << page.Err.toStdString();
        EXPECT_TRUE(page.Err.isEmpty()) << what << ": man warns: " << page.Err.toStdString();
        EXPECT_TRUE(page.Out.contains(u"NAME\n       "_s + c.command + u" - "_s))
            << what << ": " << page.Out.toStdString();

        const TOutput help = RunCommand(c.executable, { u"--help"_s }, { u"LC_ALL=C"_s, u"LANGUAGE="_s });
        EXPECT_EQ(help.ExitCode, 0) << what << ": " << help.Err.toStdString();
        const QSet<QString> listed = OptionsIn(help.Out);
        ASSERT_GE(listed.size(), 2) << what;
        const QSet<QString> onPage = OptionsIn(page.Out);
        for (const QString& option : listed)
            EXPECT_TRUE(onPage.contains(option)) << what << ": the page lacks " << option.toStdString();
        EXPECT_EQ(
            Sorted(CompletedOptions(c.command, c.wordsBefore)).toStdString(), Sorted(listed).toStdString())
            << what << ": the completion offers other options than --help lists";
    }
}
