#pragma once

#include <QString>
#include <QStringList>
#include <optional>

/// What the command line asks of the program. Without an export option the program behaves as
/// the interactive purchase-order printer; with one it never opens a window.
struct TCommandLine {
    /// The first positional argument, verbatim (it may be empty or start with a single "-").
    std::optional<QString> Order;
    QString DataDirectory;
    QString PdfFile;
    QString XlsFile;
    QString PageFile;
    /// Set by --print; an empty name means the default printer.
    std::optional<QString> Printer;
    /// The page file to show, or with an export option to convert instead of an order.
    QString ViewFile;
    /// The layout to print the order with instead of the built-in one.
    QString LayoutFile;
    /// Where --write-layout writes the built-in layout; the run does nothing else.
    QString WriteLayoutFile;
    bool Help = false;
    bool Version = false;

    /// Any of --pdf, --xls, --rpf, --print.
    bool HasExport() const;
    bool IsHeadless() const { return HasExport() || Help || Version || !WriteLayoutFile.isEmpty(); }
};

/// Reads the arguments after the program name; throws EReportError with the reason on a bad
/// command line (unknown option, missing value, an export option without an order or a page
/// file, both an order and --view).
TCommandLine ParseCommandLine(const QStringList& arguments);

/// Writes "ordemcompra: <message>" on stderr, the program's way of reporting a failure.
void PrintProgramError(const QString& message);

/// The usage text printed by --help and after a command-line error.
QString UsageText();
QString VersionText();

/// Exit codes of a headless run.
constexpr int kExitSuccess = 0;
constexpr int kExitOrderNotFound = 1;
constexpr int kExitFailure = 2;
