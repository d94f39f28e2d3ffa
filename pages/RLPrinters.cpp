#include "pages/RLPrinters.h"

#include "pages/RLPaperSizes.h"
#include "platform/Exceptions.h"
#include "support/LocaleTexts.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QtGlobal>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr QChar kPortSeparator = u'|';
constexpr int kLocaleNoPrinter = 3;
constexpr int kLocaleDriverError = 6;
constexpr int kLandscapeCode = 2;

// A sheet of 8.5 x 11 inches at 300 pixels per inch with a quarter-inch unprintable band.
constexpr TRLPrinterMetrics kFallbackMetrics { 300, 300, 2550, 3300, 75, 75, 75, 75, 2400, 3150 };

const char* const kSchedulerSockets[] = { "/run/cups/cups.sock", "/var/run/cups/cups.sock" };

/// A local socket accepts connections at once or refuses at once; it never makes us wait.
bool SocketAnswers(const QByteArray& path)
{
    sockaddr_un address {};
    if (path.isEmpty() || std::size_t(path.size()) >= sizeof address.sun_path)
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    const int handle = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (handle < 0)
        return false;
    const bool answers = ::connect(handle, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(handle);
    return answers;
}

QString Field(const QString& entry, int index)
{
    return entry.section(kPortSeparator, index, index);
}

} // namespace

bool PrintSchedulerAvailable()
{
    const QByteArray server = qgetenv("CUPS_SERVER");
    if (!server.isEmpty()) {
        // A named remote server was asked for explicitly; a socket path is checked like ours.
        return server.startsWith('/') ? SocketAnswers(server) : true;
    }
    return std::any_of(std::begin(kSchedulerSockets), std::end(kSchedulerSockets),
        [](const char* path) { return SocketAnswers(QByteArray(path)); });
}

TRLPrinterWrapper::TRLPrinterWrapper() = default;

TRLPrinterWrapper::~TRLPrinterWrapper()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
}

void TRLPrinterWrapper::LoadPrinters()
{
    if (m_printers)
        return;
    m_printers.emplace();
    if (!PrintSchedulerAvailable())
        return;
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    const QString defaultName = QPrinterInfo::defaultPrinterName();
    for (const QPrinterInfo& printer : printers) {
        // Qt does not hand out the device URI; the entry holds the name alone then.
        m_printers->append(printer.printerName());
        if (m_printerIndex < 0 && printer.printerName() == defaultName)
            m_printerIndex = int(m_printers->size() - 1);
    }
}

const QStringList& TRLPrinterWrapper::PrinterList()
{
    LoadPrinters();
    return *m_printers;
}

QString TRLPrinterWrapper::PrinterNames(int index)
{
    const QStringList& list = PrinterList();
    return index >= 0 && index < list.size() ? Field(list.at(index), 0) : QString();
}

QString TRLPrinterWrapper::PrinterPorts(int index)
{
    const QStringList& list = PrinterList();
    return index >= 0 && index < list.size() ? Field(list.at(index), 1) : QString();
}

void TRLPrinterWrapper::SetPrinterListForTest(const QStringList& entries, int selected)
{
    m_printers = entries;
    m_printerIndex = selected;
    m_printer.reset();
}

void TRLPrinterWrapper::RefreshPrinters()
{
    const int remembered = m_printerIndex;
    m_printers.reset();
    m_printerIndex = -1;
    m_printer.reset();
    LoadPrinters();
    const int count = int(m_printers->size());
    if (remembered >= 0 && count > 0)
        SetPrinterIndex(std::min(remembered, count - 1));
}

bool TRLPrinterWrapper::ValidatePrinter()
{
    LoadPrinters();
    if (m_printerIndex < 0 && !m_printers->isEmpty())
        SelectPrinter(0);
    return m_printerIndex >= 0;
}

int TRLPrinterWrapper::PrinterIndex()
{
    ValidatePrinter();
    return m_printerIndex;
}

void TRLPrinterWrapper::SetPrinterIndex(int index)
{
    LoadPrinters();
    if (index >= 0 && index < m_printers->size())
        SelectPrinter(index);
}

void TRLPrinterWrapper::SelectPrinter(int index)
{
    m_printerIndex = index;
    // A new platform printer carries the driver's defaults, dropping what was pushed before.
    m_printer.reset();
}

QString TRLPrinterWrapper::PrinterName()
{
    if (!ValidatePrinter())
        return {};
    return PrinterNames(m_printerIndex);
}

void TRLPrinterWrapper::EnsurePrinter()
{
    if (m_printer || m_printerIndex < 0 || !PrintSchedulerAvailable())
        return;
    const QPrinterInfo info = QPrinterInfo::printerInfo(PrinterNames(m_printerIndex));
    if (info.isNull())
        return;
    m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    m_printer->setPageOrientation(m_landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    m_printer->setPageMargins(QMarginsF(), QPageLayout::Millimeter);
}

QPrinter* TRLPrinterWrapper::Printer()
{
    if (!ValidatePrinter())
        return nullptr;
    EnsurePrinter();
    return m_printer.get();
}

void TRLPrinterWrapper::BeginDoc(const QString& documentName)
{
    if (!ValidatePrinter())
        throw EReportError(LocaleText(kLocaleNoPrinter));
    EnsurePrinter();
    if (!m_printer)
        throw EReportError(LocaleText(kLocaleDriverError) + QStringLiteral(": ") + PrinterName());
    m_printer->setCopyCount(m_copies);
    m_printer->setDocName(documentName);
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(m_printer.get()))
        throw EReportError(QStringLiteral("%1: %2").arg(LocaleText(kLocaleDriverError), PrinterName()));
    m_painter = std::move(painter);
    m_canvas = std::make_unique<TCanvas>(*m_painter);
    m_canvas->FontPixelsPerInch = m_printer->resolution();
}

void TRLPrinterWrapper::EndDoc()
{
    const int remembered = PrinterIndex();
    m_canvas.reset();
    if (m_painter) {
        m_painter->end();
        m_painter.reset();
    }
    m_copies = 1;
    m_landscape = false;
    SetPrinterIndex(remembered);
}

void TRLPrinterWrapper::NewPage()
{
    if (m_printer && m_painter)
        m_printer->newPage();
}

TCanvas& TRLPrinterWrapper::Canvas()
{
    if (!m_canvas)
        throw EReportError(QCoreApplication::translate(
            "TRLPrinterWrapper", "The printer canvas exists only between BeginDoc and EndDoc"));
    return *m_canvas;
}

int TRLPrinterWrapper::Copies()
{
    return std::max(1, m_copies);
}

void TRLPrinterWrapper::SetCopies(int count)
{
    m_copies = count;
    if (m_printer)
        m_printer->setCopyCount(std::max(1, count));
}

void TRLPrinterWrapper::SetPaperSize(bool landscape, bool forceEmulation, double width, double height)
{
    Q_UNUSED(forceEmulation);
    const TRLPaperInfo paper = PaperInfo(landscape, width, height);
    if (ValidatePrinter()) {
        EnsurePrinter();
        if (!m_printer)
            throw EAbort();
        if (paper.Code == kCustomPaperCode) {
            if (paper.Width > 0 && paper.Height > 0)
                m_printer->setPageSize(QPageSize(QSizeF(paper.Width, paper.Height), QPageSize::Millimeter));
        } else if (paper.Code > 0) {
            m_printer->setPageSize(QPageSize(QPageSize::id(paper.Code)));
        }
        m_printer->setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    }
    m_landscape = paper.Orientation == kLandscapeCode;
    if (m_printer)
        m_printer->setPageOrientation(m_landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    CustomWidth = width;
    CustomHeight = height;
}

TRLPrinterMetrics TRLPrinterWrapper::GetMetrics()
{
    try {
        if (!ValidatePrinter())
            throw EReportError(LocaleText(kLocaleNoPrinter));
        EnsurePrinter();
        if (!m_printer)
            throw EReportError(LocaleText(kLocaleDriverError));
        const int resolution = m_printer->resolution();
        const QPageLayout layout = m_printer->pageLayout();
        const QRect full = layout.fullRectPixels(resolution);
        const QRect printable = layout.paintRectPixels(resolution);
        TRLPrinterMetrics metrics;
        metrics.DpiX = resolution;
        metrics.DpiY = resolution;
        metrics.PhysicalWidth = full.width();
        metrics.PhysicalHeight = full.height();
        metrics.OffsetX = printable.left();
        metrics.OffsetY = printable.top();
        metrics.PrintableWidth = printable.width();
        metrics.PrintableHeight = printable.height();
        metrics.MarginRight = metrics.PhysicalWidth - metrics.OffsetX - metrics.PrintableWidth;
        metrics.MarginBottom = metrics.PhysicalHeight - metrics.OffsetY - metrics.PrintableHeight;
        return metrics;
    } catch (const EReportError&) {
        // No printer or no driver: the caller lays out for a Letter sheet instead.
        return kFallbackMetrics;
    }
}

TRLPrinterWrapper& SharedPrinter()
{
    static TRLPrinterWrapper printer;
    return printer;
}
