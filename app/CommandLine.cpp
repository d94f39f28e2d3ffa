#include "app/CommandLine.h"

#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

[[noreturn]] void RaiseUsage(const QString& reason)
{
    throw EReportError(reason);
}

bool IsOption(const QString& argument)
{
    return argument.startsWith(u"--") && argument.size() > 2;
}

} // namespace

bool TCommandLine::HasExport() const
{
    return !PdfFile.isEmpty() || !XlsFile.isEmpty() || !PageFile.isEmpty() || Printer.has_value();
}

TCommandLine ParseCommandLine(const QStringList& arguments)
{
    TCommandLine result;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !IsOption(argument)) {
            if (argument == u"--") {
                optionsEnded = true;
                continue;
            }
            // Only the first positional argument is the order; later ones are ignored.
            if (!result.Order)
                result.Order = argument;
            continue;
        }

        QString name = argument;
        std::optional<QString> inlineValue;
        if (const qsizetype equals = argument.indexOf(u'='); equals > 0) {
            name = argument.left(equals);
            inlineValue = argument.mid(equals + 1);
        }
        // The next argument is the value unless it is itself an option: "--rpf --data DIR" would
        // otherwise write the pages to a file named "--data". "--rpf=--odd-name" still works.
        const auto value = [&]() -> QString {
            if (inlineValue)
                return *inlineValue;
            if (i + 1 >= arguments.size() || IsOption(arguments[i + 1]))
                RaiseUsage(QCoreApplication::translate("CommandLine", "%1 needs a value").arg(name));
            return arguments[++i];
        };
        const auto file = [&]() -> QString {
            const QString path = value();
            if (path.isEmpty())
                RaiseUsage(QCoreApplication::translate("CommandLine", "%1 needs a file name").arg(name));
            return path;
        };

        if (name == u"--help" || name == u"-h") {
            result.Help = true;
        } else if (name == u"--version") {
            result.Version = true;
        } else if (name == u"--data") {
            result.DataDirectory = file();
        } else if (name == u"--pdf") {
            result.PdfFile = file();
        } else if (name == u"--xls") {
            result.XlsFile = file();
        } else if (name == u"--rpf") {
            result.PageFile = file();
        } else if (name == u"--view") {
            result.ViewFile = file();
        } else if (name == u"--layout") {
            result.LayoutFile = file();
        } else if (name == u"--write-layout") {
            result.WriteLayoutFile = file();
        } else if (name == u"--print") {
            // The printer name is optional; it is the next argument only once the order (or the
            // page file) is known, so that "--print 5" still reads 5 as the order.
            if (inlineValue)
                result.Printer = *inlineValue;
            else if ((result.Order || !result.ViewFile.isEmpty()) && i + 1 < arguments.size()
                && !IsOption(arguments[i + 1]))
                result.Printer = arguments[++i];
            else
                result.Printer = QString();
        } else {
            RaiseUsage(QCoreApplication::translate("CommandLine", "unknown option %1").arg(name));
        }
    }

    if (result.Help || result.Version || !result.WriteLayoutFile.isEmpty())
        return result;
    if (!result.ViewFile.isEmpty() && !result.LayoutFile.isEmpty())
        RaiseUsage(QCoreApplication::translate(
            "CommandLine", "--layout prints an order; a page file from --view is already laid out"));
    if (!result.ViewFile.isEmpty() && result.Order)
        RaiseUsage(QCoreApplication::translate(
            "CommandLine", "give either an order number or --view with a page file, not both"));
    if (result.HasExport() && !result.Order && result.ViewFile.isEmpty())
        RaiseUsage(QCoreApplication::translate("CommandLine", "an export option needs an order number"));
    return result;
}

QString UsageText()
{
    return QCoreApplication::translate("CommandLine",
        "Usage: ordemcompra [ORDER] [options]\n"
        "Prints a purchase order: without an export option it shows the order in the preview window\n"
        "(asking for the number when ORDER is missing).\n"
        "\n"
        "  --pdf FILE        prepare the order and write it as a PDF file, no window\n"
        "  --xls FILE        the same as a spreadsheet (XLS)\n"
        "  --rpf FILE        the same as a page file (.rpf)\n"
        "  --print [NAME]    print on the default (or named) printer, no window\n"
        "  --data DIR        read the tables from DIR instead of the KORVANE alias\n"
        "  --layout FILE     print with the layout in FILE instead of the built-in one\n"
        "  --write-layout FILE  write the built-in layout to FILE, as a start for your own\n"
        "  --view FILE.rpf   show a saved page file in the preview window; with --pdf, --xls,\n"
        "                    --rpf or --print write it instead of an order, no window\n"
        "  --help            this text\n"
        "  --version         the program's and the library's version\n"
        "\n"
        "The alias KORVANE is --data DIR, else $QUIREL_ALIAS_KORVANE, else the bundled sample database.\n"
        "A FILE of - is standard output; a pipe or a device is written into, never replaced by a file.\n"
        "Export runs exit with 0 on success, 1 when the order does not exist, 2 on any other failure.\n");
}

QString VersionText()
{
    return QStringLiteral("ordemcompra 0.6 (QuirelReport v0.6)\n");
}

void PrintProgramError(const QString& message)
{
    std::fprintf(stderr, "ordemcompra: %s\n", message.toLocal8Bit().constData());
}
