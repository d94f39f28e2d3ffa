#include "pages/RLPrinters.h"

#include "pages/RLPaperSizes.h"
#include "platform/Exceptions.h"
#include "support/LocaleTexts.h"

#include <QCoreApplication>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QtGlobal>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <cups/cups.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr QChar kPortSeparator = u'|';
constexpr int kLocaleNoPrinter = 3;
constexpr int kLocaleDriverError = 6;
constexpr int kDefaultPaperCode = -1;
constexpr double kTenthsPerMillimetre = 10.0;

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

/// The device URI of each queue the scheduler lists, by queue name; Qt does not hand it out.
QHash<QString, QString> DeviceUris()
{
    QHash<QString, QString> uris;
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& dest = dests[i];
        if (dest.instance)
            continue;
        // The scheduler leaves a password in the URI out of what it tells clients.
        if (const char* uri = cupsGetOption("device-uri", dest.num_options, dest.options))
            uris.insert(QString::fromUtf8(dest.name), QString::fromUtf8(uri));
    }
    cupsFreeDests(count, dests);
    return uris;
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
    const QHash<QString, QString> ports = DeviceUris();
    for (const QPrinterInfo& printer : printers) {
        const QString name = printer.printerName();
        const QString port = ports.value(name);
        m_printers->append(port.isEmpty() ? name : name + kPortSeparator + port);
        if (m_printerIndex < 0 && name == defaultName)
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
        const auto tenths
            = [](double millimetres) { return int(std::lround(millimetres * kTenthsPerMillimetre)); };
        ApplyPaper(paper.Code, paper.Code == kCustomPaperCode ? tenths(paper.Width) : 0,
            paper.Code == kCustomPaperCode ? tenths(paper.Height) : 0);
    }
    m_landscape = paper.Orientation == TRLPageOrientation::poLandscape;
    if (m_printer)
        m_printer->setPageOrientation(m_landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    CustomWidth = width;
    CustomHeight = height;
}

void TRLPrinterWrapper::ApplyPaper(int code, int widthTenths, int lengthTenths)
{
    if (code == kCustomPaperCode) {
        // A side not given keeps the side of the paper the printer has now.
        const QSizeF current = m_printer->pageLayout().pageSize().size(QPageSize::Millimeter);
        const QSizeF size(widthTenths != 0 ? widthTenths / kTenthsPerMillimetre : current.width(),
            lengthTenths != 0 ? lengthTenths / kTenthsPerMillimetre : current.height());
        if (size.width() > 0 && size.height() > 0)
            m_printer->setPageSize(QPageSize(size, QPageSize::Millimeter));
    } else if (code == kDefaultPaperCode) {
        const QPageSize printerDefault = QPrinterInfo::printerInfo(PrinterName()).defaultPageSize();
        if (printerDefault.isValid())
            m_printer->setPageSize(printerDefault);
    } else {
        const QPageSize numbered(QPageSize::id(code));
        if (numbered.isValid())
            m_printer->setPageSize(numbered);
    }
    m_printer->setPageMargins(QMarginsF(), QPageLayout::Millimeter);
}

void TRLPrinterWrapper::ShowPrinterSetup()
{
    RefreshPrinters();
    const QString name = PrinterName();
    if (name.isEmpty())
        throw EReportError(LocaleText(kLocaleNoPrinter));
    const QPrinterInfo info = PrintSchedulerAvailable() ? QPrinterInfo::printerInfo(name) : QPrinterInfo();
    if (info.isNull())
        throw EReportError(LocaleText(kLocaleDriverError) + QStringLiteral(": ") + name);
    // A printer of the dialog's own, with the driver's settings: the selected printer keeps its own.
    QPrinter printer(info, QPrinter::HighResolution);
    if (SetupDialog)
        SetupDialog(printer);
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
