#include "pages/RLPaperSizes.h"
#include "pages/RLPrinters.h"
#include "platform/Exceptions.h"
#include "tests/common/TestHelpers.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(PaperSizes, TableRowsAsListed)
{
    struct Case {
        TRLPaperSize size;
        int ordinal;
        const char* description;
        double width;
        double height;
        std::optional<int> code;
    };
    const Case cases[] = {
        { TRLPaperSize::fpA0, 0, "A0 841 x 1189 mm", 841, 1189, std::nullopt },
        { TRLPaperSize::fpA4, 4, "A4 210 x 297 mm", 210, 297, 9 },
        { TRLPaperSize::fpB6, 17, "B6 125 x 176 mm", 125, 176, 88 },
        { TRLPaperSize::fpA3_Extra, 42, "A3 Extra 322.44 x 445.2 mm", 322.44, 445.2, 63 },
        { TRLPaperSize::fpEnv_10, 58, "Envelope #10 101.6 x 228.6 mm", 101.6, 228.6, 20 },
        { TRLPaperSize::fpEnv_Monarch, 81, "Envelope Monarch 98.43 x 190.5 mm", 98.43, 190.5, 37 },
        { TRLPaperSize::fpLetter, 83, "Letter 215.9 x 279.4 mm", 215.9, 279.4, 1 },
        { TRLPaperSize::fpLetter_Plus, 101, "Letter Plus 215.9 x 322.33 mm", 215.9, 322.33, 59 },
        { TRLPaperSize::fpPEnv_10, 115, "PEnv 10 324 x 458 mm", 324, 458, 105 },
        { TRLPaperSize::fpEng_Imperial, 139, "Eng Imperial 761 x 559 mm", 761, 559, std::nullopt },
        { TRLPaperSize::fpCustom, 140, "User Defined", 0, 0, 256 },
        { TRLPaperSize::fpDefault, 141, "Printer Default", -1, -1, -1 },
    };
    EXPECT_EQ(kPaperSizeCount, 142);
    for (const Case& c : cases) {
        const TRLPaperSizeInfo& info = PaperSizeInfo(c.size);
        EXPECT_EQ(int(c.size), c.ordinal) << c.description;
        EXPECT_EQ(info.Description, QString::fromUtf8(c.description));
        EXPECT_DOUBLE_EQ(info.Width, c.width) << c.description;
        EXPECT_DOUBLE_EQ(info.Height, c.height) << c.description;
        EXPECT_EQ(info.Code, c.code) << c.description;
    }
}

TEST(PaperSizes, FindPaperSizeAndPaperInfo)
{
    struct Case {
        const char* what;
        double width;
        double height;
        bool landscape;
        TRLPaperSize size;
        int code;
        int orientation;
        double paperWidth;
        double paperHeight;
    };
    const Case cases[] = {
        { "A4", 210, 297, false, TRLPaperSize::fpA4, 9, 1, 210, 297 },
        { "A4 within 0.01", 210.005, 297.004, true, TRLPaperSize::fpA4, 9, 2, 210, 297 },
        { "just beyond A4", 210.02, 297, false, TRLPaperSize::fpCustom, 256, 1, 210.02, 297 },
        { "A0 has no code", 841, 1189, false, TRLPaperSize::fpCustom, 256, 1, 841, 1189 },
        { "Letter before its twins", 215.9, 279.4, false, TRLPaperSize::fpLetter, 1, 1, 215.9, 279.4 },
        { "A4 rotated is not A4", 297, 210, false, TRLPaperSize::fpCustom, 256, 1, 297, 210 },
        { "B6 before B6 JIS", 125, 176, false, TRLPaperSize::fpB6, 88, 1, 125, 176 },
        { "negative width", -1, 297, false, TRLPaperSize::fpDefault, -1, 1, -1, -1 },
        { "zero size", 0, 0, false, TRLPaperSize::fpCustom, 256, 1, 0, 0 },
        { "Legal 3 has no code, Folio has", 215.9, 330.2, false, TRLPaperSize::fpFolio, 14, 1, 215.9, 330.2 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindPaperSize(c.width, c.height), c.size) << c.what;
        const TRLPaperInfo info = PaperInfo(c.landscape, c.width, c.height);
        EXPECT_EQ(info.Size, c.size) << c.what;
        EXPECT_EQ(info.Code, c.code) << c.what;
        EXPECT_EQ(info.Orientation, c.orientation) << c.what;
        EXPECT_DOUBLE_EQ(info.Width, c.paperWidth) << c.what;
        EXPECT_DOUBLE_EQ(info.Height, c.paperHeight) << c.what;
    }
}

namespace {

    /// Points the CUPS clients of this process at a socket nobody listens on, so that a scheduler
    /// running on the machine cannot change what these tests see.
    class NoScheduler {
    public:
        NoScheduler()
            : m_saved(qgetenv("CUPS_SERVER"))
            , m_had(qEnvironmentVariableIsSet("CUPS_SERVER"))
        {
            qputenv("CUPS_SERVER", m_dir.filePath(QStringLiteral("none.sock")).toLocal8Bit());
        }
        ~NoScheduler()
        {
            if (m_had)
                qputenv("CUPS_SERVER", m_saved);
            else
                qunsetenv("CUPS_SERVER");
        }

    private:
        QTemporaryDir m_dir;
        QByteArray m_saved;
        bool m_had;
    };

} // namespace

TEST(Printers, QueryingPrintersReturnsAtOnce)
{
    const NoScheduler none;
    QElapsedTimer timer;
    timer.start();
    TRLPrinterWrapper printer;
    printer.PrinterList();
    printer.PrinterName();
    printer.GetMetrics();
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_FALSE(PrintSchedulerAvailable());
    EXPECT_TRUE(printer.PrinterList().isEmpty()) << "no scheduler, no printers";
}

TEST(Printers, NoPrinterGivesTheLetterMetricsAndNoName)
{
    TRLPrinterWrapper printer;
    printer.SetPrinterListForTest({}, -1);
    EXPECT_FALSE(printer.ValidatePrinter());
    EXPECT_EQ(printer.PrinterIndex(), -1);
    EXPECT_EQ(printer.PrinterName(), QString());
    EXPECT_EQ(printer.GetMetrics(), (TRLPrinterMetrics { 300, 300, 2550, 3300, 75, 75, 75, 75, 2400, 3150 }));
    printer.SetPaperSize(true, false, 210, 297);
    EXPECT_EQ(printer.CustomWidth, 210);
    EXPECT_EQ(printer.CustomHeight, 297);
    EXPECT_EQ(printer.Copies(), 1);
    EXPECT_TRUE(printer.CanSetup());
}

TEST(Printers, EntriesHoldNameAndPort)
{
    TRLPrinterWrapper printer;
    printer.SetPrinterListForTest(
        { QStringLiteral("Laser|ipp://host/printers/laser|extra"), QStringLiteral("Plain") }, -1);
    struct Case {
        int index;
        const char* name;
        const char* port;
    };
    const Case cases[]
        = { { 0, "Laser", "ipp://host/printers/laser" }, { 1, "Plain", "" }, { 2, "", "" }, { -1, "", "" } };
    for (const Case& c : cases) {
        EXPECT_EQ(printer.PrinterNames(c.index), QString::fromUtf8(c.name)) << c.index;
        EXPECT_EQ(printer.PrinterPorts(c.index), QString::fromUtf8(c.port)) << c.index;
    }
}

TEST(Printers, SelectionRules)
{
    TRLPrinterWrapper printer;
    printer.SetPrinterListForTest({ QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C") }, -1);
    EXPECT_TRUE(printer.ValidatePrinter()) << "printer 0 is chosen when none is";
    EXPECT_EQ(printer.PrinterIndex(), 0);
    printer.SetPrinterIndex(2);
    EXPECT_EQ(printer.PrinterName(), QStringLiteral("C"));
    printer.SetPrinterIndex(-1);
    EXPECT_EQ(printer.PrinterIndex(), 2);
    printer.SetPrinterIndex(3);
    EXPECT_EQ(printer.PrinterIndex(), 2);
}

TEST(Printers, PrinterWithoutSettingsAbortsPaperSizeSilentlyAndFallsBackForMetrics)
{
    const NoScheduler none;
    ASSERT_FALSE(PrintSchedulerAvailable());
    TRLPrinterWrapper printer;
    printer.SetPrinterListForTest({ QStringLiteral("Gone") }, 0);
    EXPECT_THROW(printer.SetPaperSize(false, false, 210, 297), EAbort);
    EXPECT_EQ(printer.GetMetrics().DpiX, 300);
    EXPECT_FALSE(ErrorOf([&] { printer.BeginDoc(); }).isEmpty());
    EXPECT_FALSE(printer.Printing());
}

} // namespace
