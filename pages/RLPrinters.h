#pragma once

/// @file
/// The platform's printers: the shared printer the report and the printer filter use.

#include "platform/Canvas.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QPainter;
class QPrinter;

/// Printer pixels.
struct TRLPrinterMetrics {
    /// The printer's resolution, pixels per inch.
    ///@{
    int DpiX = 0;
    int DpiY = 0;
    ///@}
    /// The whole sheet in the current orientation.
    ///@{
    int PhysicalWidth = 0;
    int PhysicalHeight = 0;
    ///@}
    /// The unprintable strip at the left and at the top.
    ///@{
    int OffsetX = 0;
    int OffsetY = 0;
    ///@}
    /// The unprintable strip at the right and at the bottom.
    ///@{
    int MarginRight = 0;
    int MarginBottom = 0;
    ///@}
    /// The printable area.
    ///@{
    int PrintableWidth = 0;
    int PrintableHeight = 0;
    ///@}

    /// @cond ENGINE
    bool operator==(const TRLPrinterMetrics&) const = default;
    /// @endcond
};

/// Stands between the library and the platform's printers (Qt PrintSupport over CUPS): the
/// printer list, the selection, paper size and orientation, print jobs and the printer canvas.
/// One shared instance, `SharedPrinter()`.
class TRLPrinterWrapper {
public:
    /// No list loaded and no printer selected; use SharedPrinter() rather than a wrapper of
    /// your own.
    TRLPrinterWrapper();
    ~TRLPrinterWrapper();
    TRLPrinterWrapper(const TRLPrinterWrapper&) = delete;
    TRLPrinterWrapper& operator=(const TRLPrinterWrapper&) = delete;

    /// Fills the list from the platform when it is not loaded. Returns at once when no print
    /// scheduler is running (the list is then empty).
    void LoadPrinters();
    /// Entries "name|port": the port is the queue's device URI ("usb://…", "ipp://…"); an entry
    /// whose scheduler does not tell it holds the name alone.
    const QStringList& PrinterList();
    /// The entry up to its first "|"; empty outside the list.
    QString PrinterNames(int index);
    /// The entry between its first and second "|"; empty when it has none or outside the list.
    QString PrinterPorts(int index);
    /// Drops the list and re-reads it, keeping the selection where it can.
    void RefreshPrinters();
    /// Selects printer 0 when none is selected and there are printers; true when one is.
    bool ValidatePrinter();
    /// -1 when no printer is selected.
    int PrinterIndex();
    /// Ignored outside 0 .. count - 1.
    void SetPrinterIndex(int index);
    /// Makes the printer current with the driver's default settings.
    void SelectPrinter(int index);
    /// The selected printer's name, selecting printer 0 when none is; empty without printers.
    QString PrinterName();

    /// Starts a job on the current printer, named `documentName` in the print queue (the
    /// platform's default name when empty); the canvas's font resolution is the printer's.
    void BeginDoc(const QString& documentName = {});
    /// Ends the job and reloads the printer's default settings.
    void EndDoc();
    /// Starts the next sheet of the job; nothing outside a job.
    void NewPage();
    /// Valid between BeginDoc and EndDoc; throws EReportError outside a job.
    TCanvas& Canvas();
    /// Between BeginDoc and EndDoc.
    bool Printing() const { return m_canvas != nullptr; }

    /// Copies of each job; read as at least 1.
    ///@{
    int Copies();
    void SetCopies(int count);
    ///@}

    /// Millimetres, portrait sense; `forceEmulation` is accepted and has no effect. A size in the
    /// paper table sets that paper; -1 x -1 (fpDefault) the printer's own default paper; any
    /// other size a custom paper, where a side of 0 keeps the printer's current side. With a
    /// printer whose settings cannot be had, aborts silently (EAbort).
    void SetPaperSize(bool landscape, bool forceEmulation, double width, double height);
    /// The selected printer's metrics, or those of a Letter sheet at 300 dpi when there is no
    /// printer (or no print scheduler).
    TRLPrinterMetrics GetMetrics();
    /// Always true: every printer has a settings dialog.
    bool CanSetup() const { return true; }
    /// Refreshes the list, then runs SetupDialog on a platform printer of its own for the current
    /// printer, with the driver's default settings; what the dialog changes is not applied.
    /// Throws EReportError when there is no printer or it cannot be opened.
    void ShowPrinterSetup();
    /// The settings dialog of a platform printer; the preview registers Qt's page setup dialog.
    /// Without one ShowPrinterSetup shows nothing.
    std::function<void(QPrinter& printer)> SetupDialog;

    /// Millimetres last passed to SetPaperSize.
    ///@{
    double CustomWidth = 0;
    double CustomHeight = 0;
    ///@}

    /// The platform printer of the current selection (for the preview's settings dialog);
    /// nullptr when no printer is selected.
    QPrinter* Printer();

    /// @cond ENGINE
    /// Replaces the platform's list (entries "name|port"), for tests without a print scheduler.
    void SetPrinterListForTest(const QStringList& entries, int selected);
    /// @endcond

private:
    void EnsurePrinter();
    /// Pushes a paper code with a custom size in tenths of a millimetre (0 = keep that side).
    void ApplyPaper(int code, int widthTenths, int lengthTenths);

    std::optional<QStringList> m_printers;
    int m_printerIndex = -1;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<TCanvas> m_canvas;
    int m_copies = 1;
    bool m_landscape = false;
};

/// The shared wrapper, created on first use.
TRLPrinterWrapper& SharedPrinter();

/// True when a CUPS scheduler answers on its local socket (or CUPS_SERVER names one); checked
/// before any platform printer query so that a machine without CUPS never waits.
bool PrintSchedulerAvailable();
