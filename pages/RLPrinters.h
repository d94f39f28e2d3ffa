#pragma once

#include "platform/Canvas.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QPainter;
class QPrinter;

/// Printer pixels.
struct TRLPrinterMetrics {
    int DpiX = 0;
    int DpiY = 0;
    int PhysicalWidth = 0;
    int PhysicalHeight = 0;
    int OffsetX = 0;
    int OffsetY = 0;
    int MarginRight = 0;
    int MarginBottom = 0;
    int PrintableWidth = 0;
    int PrintableHeight = 0;

    bool operator==(const TRLPrinterMetrics&) const = default;
};

/// Stands between the library and the platform's printers (Qt PrintSupport over CUPS): the
/// printer list, the selection, paper size and orientation, print jobs and the printer canvas.
/// One shared instance, `SharedPrinter()`.
class TRLPrinterWrapper {
public:
    TRLPrinterWrapper();
    ~TRLPrinterWrapper();
    TRLPrinterWrapper(const TRLPrinterWrapper&) = delete;
    TRLPrinterWrapper& operator=(const TRLPrinterWrapper&) = delete;

    /// Fills the list from the platform when it is not loaded. Returns at once when no print
    /// scheduler is running (the list is then empty).
    void LoadPrinters();
    /// Entries "name|port"; the port is the device URI where CUPS gives one.
    const QStringList& PrinterList();
    QString PrinterNames(int index);
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
    QString PrinterName();

    /// Starts a job on the current printer, named `documentName` in the print queue (the
    /// platform's default name when empty); the canvas's font resolution is the printer's.
    void BeginDoc(const QString& documentName = {});
    /// Ends the job and reloads the printer's default settings.
    void EndDoc();
    void NewPage();
    /// Valid between BeginDoc and EndDoc.
    TCanvas& Canvas();
    bool Printing() const { return m_canvas != nullptr; }

    /// At least 1.
    int Copies();
    void SetCopies(int count);

    /// Millimetres, portrait sense; `forceEmulation` is accepted and has no effect.
    void SetPaperSize(bool landscape, bool forceEmulation, double width, double height);
    /// The selected printer's metrics, or those of a Letter sheet at 300 dpi when there is no
    /// printer (or no print scheduler).
    TRLPrinterMetrics GetMetrics();
    bool CanSetup() const { return true; }

    /// Millimetres last passed to SetPaperSize.
    double CustomWidth = 0;
    double CustomHeight = 0;

    /// The platform printer of the current selection (for the preview's settings dialog);
    /// nullptr when no printer is selected.
    QPrinter* Printer();

    /// Replaces the platform's list (entries "name|port"), for tests without a print scheduler.
    void SetPrinterListForTest(const QStringList& entries, int selected);

private:
    void EnsurePrinter();

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
