#pragma once

#include <QPageRanges>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

/// What the command line asks of the program. Without an export option the program behaves as
/// the interactive purchase-order printer; with one it never opens a window.
struct TCommandLine {
    /// The first positional argument, verbatim (it may be empty or start with a single "-").
    std::optional<QString> Order;
    /// With an export option: every order the positional arguments name, ranges such as 1-8
    /// expanded, in the order given and each once.
    QStringList Orders;
    QString DataDirectory;
    /// --db: an SQL database the six tables are read from instead of the alias (see db/SqlUrl.h).
    QString DatabaseUrl;
    QString PdfFile;
    /// The portable PDF: fonts embedded, streams compressed.
    QString PortablePdfFile;
    QString XlsFile;
    QString XlsxFile;
    /// --one-sheet: the XLSX file holds the whole report on one sheet.
    bool OneSheet = false;
    QString PageFile;
    /// Set by --print; an empty name means the default printer.
    std::optional<QString> Printer;
    /// The page file to show, or with an export option to convert instead of an order.
    QString ViewFile;
    /// --pages; empty for every page.
    QPageRanges Pages;
    /// --copies, 1 to kMaxCopies; 0 when not given (the printer's own count).
    int Copies = 0;
    /// -j: orders of a batch written at once, each by a process of its own.
    int Jobs = 1;
    /// No progress line even on a terminal.
    bool Quiet = false;
    /// The layout to print the order with instead of the built-in one.
    QString LayoutFile;
    /// Where --write-layout writes the built-in layout; the run does nothing else.
    QString WriteLayoutFile;
    bool Help = false;
    bool Version = false;
    /// Every option with its value, but the orders and -j: what one order of a batch is run with.
    QStringList OptionArguments;

    /// Any of --pdf, --pdf-portable, --xls, --xlsx, --rpf, --print.
    bool HasExport() const;
    bool IsHeadless() const { return HasExport() || Help || Version || !WriteLayoutFile.isEmpty(); }
    bool IsBatch() const { return Orders.size() > 1; }
    /// What the tables are read from: the database URL, else the KORVANE alias.
    QString DatabaseName() const;
};

/// The largest count --copies, -j and an order range accept.
constexpr int kMaxCopies = 9999;
constexpr int kMaxJobs = 64;
constexpr int kMaxOrdersInRange = 100000;
/// Stands for the order number in an output file name.
inline constexpr QStringView kOrderPlaceholder = u"{order}";

/// Reads the arguments after the program name; throws EReportError with the reason on a bad
/// command line (unknown option, missing or bad value, an option without the export it goes
/// with, an export option without an order or a page file, both an order and --view, several
/// orders into one file name).
TCommandLine ParseCommandLine(const QStringList& arguments);

/// The options naming an output file (--pdf, --pdf-portable, --xls, --xlsx, --rpf), so that each
/// rule on output files ({order}, "-", refusing a table) covers every one.
std::vector<QString*> OutputFiles(TCommandLine& options);
std::vector<QString> OutputFiles(const TCommandLine& options);

/// The command line of one order of a batch: that order alone, {order} in the file names
/// replaced by it, one job.
TCommandLine ForOrder(const TCommandLine& batch, const QString& order);
/// The arguments that run one order of a batch in a process of its own, without a progress line.
QStringList ArgumentsForOrder(const TCommandLine& batch, const QString& order);

/// Writes "ordemcompra: <message>" on stderr, the program's way of reporting a failure.
void PrintProgramError(const QString& message);

/// The usage text printed by --help and after a command-line error.
QString UsageText();
QString VersionText();

/// Exit codes of a headless run; a batch exits with the worst of its orders'.
constexpr int kExitSuccess = 0;
constexpr int kExitOrderNotFound = 1;
constexpr int kExitFailure = 2;
