#include "pages/RLPaperSizes.h"
#include "pages/RLPrinters.h"
#include "platform/Exceptions.h"
#include "tests/common/TestHelpers.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using enum TRLPageOrientation;

using namespace Qt::StringLiterals;

namespace {

/// The paper table as published, one row per size in ordinal order: width and height in
/// millimetres as printed in the size's name, and the platform paper number.
struct TPaperRowCase {
    TRLPaperSize size;
    const char* width;
    const char* height;
    std::optional<int> code;
};

const TPaperRowCase kPublishedPaperTable[] = {
    { TRLPaperSize::fpA0, "841", "1189", std::nullopt },
    { TRLPaperSize::fpA1, "594", "841", std::nullopt },
    { TRLPaperSize::fpA2, "420", "594", 66 },
    { TRLPaperSize::fpA3, "297", "420", 8 },
    { TRLPaperSize::fpA4, "210", "297", 9 },
    { TRLPaperSize::fpA5, "148", "210", 11 },
    { TRLPaperSize::fpA6, "105", "148", 70 },
    { TRLPaperSize::fpA7, "74", "105", std::nullopt },
    { TRLPaperSize::fpA8, "52", "74", std::nullopt },
    { TRLPaperSize::fpA9, "37", "52", std::nullopt },
    { TRLPaperSize::fpA10, "26", "37", std::nullopt },
    { TRLPaperSize::fpB0, "1000", "1414", std::nullopt },
    { TRLPaperSize::fpB1, "707", "1000", std::nullopt },
    { TRLPaperSize::fpB2, "500", "707", std::nullopt },
    { TRLPaperSize::fpB3, "353", "500", std::nullopt },
    { TRLPaperSize::fpB4, "250", "353", 12 },
    { TRLPaperSize::fpB5, "176", "250", 13 },
    { TRLPaperSize::fpB6, "125", "176", 88 },
    { TRLPaperSize::fpB7, "88", "125", std::nullopt },
    { TRLPaperSize::fpB8, "62", "88", std::nullopt },
    { TRLPaperSize::fpB9, "44", "62", std::nullopt },
    { TRLPaperSize::fpB10, "31", "44", std::nullopt },
    { TRLPaperSize::fpSRA0, "900", "1280", std::nullopt },
    { TRLPaperSize::fpSRA1, "640", "900", std::nullopt },
    { TRLPaperSize::fpSRA2, "450", "640", std::nullopt },
    { TRLPaperSize::fpSRA3, "320", "450", std::nullopt },
    { TRLPaperSize::fpSRA4, "225", "320", std::nullopt },
    { TRLPaperSize::fpRA0, "860", "1220", std::nullopt },
    { TRLPaperSize::fpRA1, "610", "860", std::nullopt },
    { TRLPaperSize::fpRA2, "430", "610", std::nullopt },
    { TRLPaperSize::fpRA3, "305", "430", std::nullopt },
    { TRLPaperSize::fpRA4, "215", "305", std::nullopt },
    { TRLPaperSize::fp2A, "1189", "1682", std::nullopt },
    { TRLPaperSize::fp2B, "1414", "2000", std::nullopt },
    { TRLPaperSize::fp4A, "1682", "2378", std::nullopt },
    { TRLPaperSize::fp4B, "2000", "2828", std::nullopt },
    { TRLPaperSize::fp9x11, "228.6", "279.4", 44 },
    { TRLPaperSize::fp10x11, "254", "279.4", 45 },
    { TRLPaperSize::fp10x14, "254", "355.6", 16 },
    { TRLPaperSize::fp11x17, "279.4", "431.8", 17 },
    { TRLPaperSize::fp12x11, "304.8", "279.4", 90 },
    { TRLPaperSize::fp15x11, "381", "279.4", 46 },
    { TRLPaperSize::fpA3_Extra, "322.44", "445.2", 63 },
    { TRLPaperSize::fpA3_Extra_Transverse, "322", "445", 68 },
    { TRLPaperSize::fpA3_Transverse, "297", "420", 67 },
    { TRLPaperSize::fpA4_Small, "210", "297", 10 },
    { TRLPaperSize::fpA4_Extra, "235.3", "322.44", 53 },
    { TRLPaperSize::fpA4_Plus, "210", "330", 60 },
    { TRLPaperSize::fpA4_Transverse, "210", "297", 55 },
    { TRLPaperSize::fpA5_Extra, "174", "235", 64 },
    { TRLPaperSize::fpA5_Transverse, "148", "210", 61 },
    { TRLPaperSize::fpA_Plus, "227", "356", 57 },
    { TRLPaperSize::fpB4_JIS, "250", "354", std::nullopt },
    { TRLPaperSize::fpB5_Extra, "201", "276", 65 },
    { TRLPaperSize::fpB5_Transverse, "182", "257", 62 },
    { TRLPaperSize::fpB6_JIS, "128", "182", 88 },
    { TRLPaperSize::fpB_Plus, "305", "487", 58 },
    { TRLPaperSize::fpEnv_9, "76.2", "203.2", 19 },
    { TRLPaperSize::fpEnv_10, "101.6", "228.6", 20 },
    { TRLPaperSize::fpEnv_11, "101.6", "254", 21 },
    { TRLPaperSize::fpEnv_12, "101.6", "279.4", 22 },
    { TRLPaperSize::fpEnv_14, "127", "279.4", 23 },
    { TRLPaperSize::fpEnv_B4, "250", "353", 33 },
    { TRLPaperSize::fpEnv_B5, "176", "250", 34 },
    { TRLPaperSize::fpEnv_B6, "176", "125", 35 },
    { TRLPaperSize::fpEnv_C0, "917", "1297", std::nullopt },
    { TRLPaperSize::fpEnv_C1, "648", "917", std::nullopt },
    { TRLPaperSize::fpEnv_C2, "458", "648", std::nullopt },
    { TRLPaperSize::fpEnv_C3, "324", "458", 29 },
    { TRLPaperSize::fpEnv_C4, "229", "324", 30 },
    { TRLPaperSize::fpEnv_C5, "162", "229", 28 },
    { TRLPaperSize::fpEnv_C5E, "163", "229", std::nullopt },
    { TRLPaperSize::fpEnv_C6, "114", "162", 31 },
    { TRLPaperSize::fpEnv_C65, "114", "229", 32 },
    { TRLPaperSize::fpEnv_C7, "81", "114", std::nullopt },
    { TRLPaperSize::fpEnv_C8, "57", "81", std::nullopt },
    { TRLPaperSize::fpEnv_C9, "40", "57", std::nullopt },
    { TRLPaperSize::fpEnv_C10, "28", "40", std::nullopt },
    { TRLPaperSize::fpEnv_DL, "110", "220", 27 },
    { TRLPaperSize::fpEnv_Invite, "220", "220", 47 },
    { TRLPaperSize::fpEnv_Italy, "110", "230", 36 },
    { TRLPaperSize::fpEnv_Monarch, "98.43", "190.5", 37 },
    { TRLPaperSize::fpEnv_Personal, "76.2", "152.4", 38 },
    { TRLPaperSize::fpLetter, "215.9", "279.4", 1 },
    { TRLPaperSize::fpLegal, "215.9", "355.6", 5 },
    { TRLPaperSize::fpLedger, "431.8", "279", 4 },
    { TRLPaperSize::fpTabloid, "279", "431.8", 3 },
    { TRLPaperSize::fpExecutive, "190.5", "254", 7 },
    { TRLPaperSize::fpFanfold_US, "355.6", "279.4", 39 },
    { TRLPaperSize::fpComm10E, "105", "241", std::nullopt },
    { TRLPaperSize::fpDLE, "110", "220", std::nullopt },
    { TRLPaperSize::fpFolio, "215.9", "330.2", 14 },
    { TRLPaperSize::fpNote, "304.8", "279.4", 18 },
    { TRLPaperSize::fpPostcard, "100", "148", std::nullopt },
    { TRLPaperSize::fpQuarto, "215", "275", 15 },
    { TRLPaperSize::fpStatement, "139.7", "215.9", 6 },
    { TRLPaperSize::fpLegal_Extra, "241.3", "381", 51 },
    { TRLPaperSize::fpLegal3, "215.9", "330.2", std::nullopt },
    { TRLPaperSize::fpLetter_Small, "304.8", "279.4", 2 },
    { TRLPaperSize::fpLetter_Extra, "241.3", "304.8", 50 },
    { TRLPaperSize::fpLetter_Extra_Transverse, "241.3", "304.8", 56 },
    { TRLPaperSize::fpLetter_Plus, "215.9", "322.33", 59 },
    { TRLPaperSize::fpLetter_Transverse, "215.9", "279.4", 54 },
    { TRLPaperSize::fpP16K, "146", "215", 93 },
    { TRLPaperSize::fpP32K, "97", "151", 94 },
    { TRLPaperSize::fpP32KBig, "97", "151", 95 },
    { TRLPaperSize::fpPEnv_1, "102", "165", 96 },
    { TRLPaperSize::fpPEnv_2, "102", "176", 97 },
    { TRLPaperSize::fpPEnv_3, "125", "176", 98 },
    { TRLPaperSize::fpPEnv_4, "110", "208", 99 },
    { TRLPaperSize::fpPEnv_5, "110", "220", 100 },
    { TRLPaperSize::fpPEnv_6, "120", "230", 101 },
    { TRLPaperSize::fpPEnv_7, "160", "230", 102 },
    { TRLPaperSize::fpPEnv_8, "120", "309", 103 },
    { TRLPaperSize::fpPEnv_9, "229", "324", 104 },
    { TRLPaperSize::fpPEnv_10, "324", "458", 105 },
    { TRLPaperSize::fpTabloid_Extra, "296.93", "457.2", 52 },
    { TRLPaperSize::fpGerman_Legal_Fanfold, "203.2", "330.2", 41 },
    { TRLPaperSize::fpGerman_Std_Fanfold, "203.2", "304.8", 40 },
    { TRLPaperSize::fpJap_DblPostcard, "200", "148", 69 },
    { TRLPaperSize::fpJap_Postcard, "100", "148", 43 },
    { TRLPaperSize::fpEng_Foolscap, "419", "336", std::nullopt },
    { TRLPaperSize::fpEng_DoubleFoolscap, "685.8", "431.8", std::nullopt },
    { TRLPaperSize::fpEng_QuadFoolscap, "863.6", "685.8", std::nullopt },
    { TRLPaperSize::fpEng_Crown, "508", "381", std::nullopt },
    { TRLPaperSize::fpEng_DoubleCrown, "762", "508", std::nullopt },
    { TRLPaperSize::fpEng_QuadCrown, "1016", "762", std::nullopt },
    { TRLPaperSize::fpEng_DoubleQuad, "1524", "1016", std::nullopt },
    { TRLPaperSize::fpEng_Post, "488.95", "393.7", std::nullopt },
    { TRLPaperSize::fpEng_DoublePost, "800.1", "495.3", std::nullopt },
    { TRLPaperSize::fpEng_DoubleLarge, "838.2", "533.4", std::nullopt },
    { TRLPaperSize::fpEng_Demy, "571.5", "444.5", std::nullopt },
    { TRLPaperSize::fpEng_DoubleDemy, "889", "571.5", std::nullopt },
    { TRLPaperSize::fpEng_QuadDemy, "1143", "889", std::nullopt },
    { TRLPaperSize::fpEng_MusicDemy, "508", "393.7", std::nullopt },
    { TRLPaperSize::fpEng_Medium, "584.2", "457.2", std::nullopt },
    { TRLPaperSize::fpEng_Royal, "634", "507", std::nullopt },
    { TRLPaperSize::fpEng_SuperRoyal, "698.5", "520.7", std::nullopt },
    { TRLPaperSize::fpEng_Elephant, "711.2", "584.2", std::nullopt },
    { TRLPaperSize::fpEng_Imperial, "761", "559", std::nullopt },
    { TRLPaperSize::fpCustom, "0", "0", 256 },
    { TRLPaperSize::fpDefault, "-1", "-1", -1 },
};

TEST(PaperSizes, EveryRowOfTheTable)
{
    ASSERT_EQ(std::size(kPublishedPaperTable), std::size_t(kPaperSizeCount));
    for (int ordinal = 0; ordinal < kPaperSizeCount; ++ordinal) {
        const TPaperRowCase& row = kPublishedPaperTable[ordinal];
        const QString width = QString::fromLatin1(row.width);
        const QString height = QString::fromLatin1(row.height);
        const TRLPaperSizeInfo& info = PaperSizeInfo(row.size);
        const std::string what = "row " + std::to_string(ordinal) + " " + info.Description.toStdString();
        EXPECT_EQ(int(row.size), ordinal) << what;
        EXPECT_DOUBLE_EQ(info.Width, width.toDouble()) << what;
        EXPECT_DOUBLE_EQ(info.Height, height.toDouble()) << what;
        EXPECT_EQ(info.Code, row.code) << what;
        if (row.size == TRLPaperSize::fpCustom || row.size == TRLPaperSize::fpDefault)
            continue;
        // The name, then the size as the table prints it.
        const QString size = u' ' + width + u" x "_s + height + u" mm"_s;
        EXPECT_TRUE(info.Description.endsWith(size)) << what;
        EXPECT_GT(info.Description.size(), size.size()) << what;
    }
    EXPECT_EQ(PaperSizeInfo(TRLPaperSize::fpCustom).Description, u"User Defined"_s);
    EXPECT_EQ(PaperSizeInfo(TRLPaperSize::fpDefault).Description, u"Printer Default"_s);
    EXPECT_EQ(PaperSizeInfo(TRLPaperSize::fpA4).Description, u"A4 210 x 297 mm"_s);
    EXPECT_EQ(PaperSizeInfo(TRLPaperSize::fpLetter).Description, u"Letter 215.9 x 279.4 mm"_s);
    EXPECT_EQ(PaperSizeInfo(TRLPaperSize::fpEnv_10).Description, u"Envelope #10 101.6 x 228.6 mm"_s);
}

// Every row's size is found again as the earliest numbered row of that size, or as a custom
// size when no numbered row has it.
TEST(PaperSizes, EveryRowsSizeIsFoundAsTheEarliestNumberedRow)
{
    for (const TPaperRowCase& row : kPublishedPaperTable) {
        if (row.size == TRLPaperSize::fpCustom || row.size == TRLPaperSize::fpDefault)
            continue;
        const double width = QString::fromLatin1(row.width).toDouble();
        const double height = QString::fromLatin1(row.height).toDouble();
        TRLPaperSize expected = TRLPaperSize::fpCustom;
        int expectedCode = kCustomPaperCode;
        for (const TPaperRowCase& earlier : kPublishedPaperTable) {
            if (earlier.code && earlier.size != TRLPaperSize::fpCustom
                && QString::fromLatin1(earlier.width).toDouble() == width
                && QString::fromLatin1(earlier.height).toDouble() == height) {
                expected = earlier.size;
                expectedCode = *earlier.code;
                break;
            }
        }
        const std::string what = PaperSizeInfo(row.size).Description.toStdString();
        EXPECT_EQ(int(FindPaperSize(width, height)), int(expected)) << what;
        const TRLPaperInfo paper = PaperInfo(false, width, height);
        EXPECT_EQ(paper.Code, expectedCode) << what;
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
        TRLPageOrientation orientation;
        double paperWidth;
        double paperHeight;
    };
    const Case cases[] = {
        { "A4", 210, 297, false, TRLPaperSize::fpA4, 9, poPortrait, 210, 297 },
        { "A4 within 0.01", 210.005, 297.004, true, TRLPaperSize::fpA4, 9, poLandscape, 210, 297 },
        { "just beyond A4", 210.02, 297, false, TRLPaperSize::fpCustom, 256, poPortrait, 210.02, 297 },
        { "A0 has no code", 841, 1189, false, TRLPaperSize::fpCustom, 256, poPortrait, 841, 1189 },
        { "Letter before its twins", 215.9, 279.4, false, TRLPaperSize::fpLetter, 1, poPortrait, 215.9,
            279.4 },
        { "A4 rotated is not A4", 297, 210, false, TRLPaperSize::fpCustom, 256, poPortrait, 297, 210 },
        { "B6 before B6 JIS", 125, 176, false, TRLPaperSize::fpB6, 88, poPortrait, 125, 176 },
        { "negative width", -1, 297, false, TRLPaperSize::fpDefault, -1, poPortrait, -1, -1 },
        { "zero size", 0, 0, false, TRLPaperSize::fpCustom, 256, poPortrait, 0, 0 },
        { "Legal 3 has no code, Folio has", 215.9, 330.2, false, TRLPaperSize::fpFolio, 14, poPortrait, 215.9,
            330.2 },
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

TEST(Printers, QueryingPrintersReturnsAtOnce)
{
    const TNoPrintScheduler none;
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
    const TNoPrintScheduler none;
    ASSERT_FALSE(PrintSchedulerAvailable());
    TRLPrinterWrapper printer;
    printer.SetPrinterListForTest({ QStringLiteral("Gone") }, 0);
    EXPECT_THROW(printer.SetPaperSize(false, false, 210, 297), EAbort);
    EXPECT_EQ(printer.GetMetrics().DpiX, 300);
    EXPECT_FALSE(ErrorOf([&] { printer.BeginDoc(); }).isEmpty());
    EXPECT_FALSE(printer.Printing());
}

} // namespace
