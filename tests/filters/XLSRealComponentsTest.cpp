#include "../common/TestHelpers.h"
#include "XLSTestPages.h"
#include "XLSTestReader.h"
#include "filters/RLXLSFilter.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "support/FormatSettings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using enum TRLXLSFilterOption;

// The files are read by tools that share no code with the writer: python3-xlrd and LibreOffice.
// A missing tool skips its test with a message; it never passes silently.

namespace {

constexpr int kToolTimeoutMs = 120000;

/// Brazilian number conventions for a test, restored afterwards.
class TBrazilianNumbers {
public:
    TBrazilianNumbers()
        : m_saved(FormatSettings())
    {
        TFormatSettings settings = m_saved;
        settings.DecimalSeparator = QStringLiteral(",");
        settings.ThousandSeparator = QStringLiteral(".");
        SetFormatSettings(settings);
    }
    ~TBrazilianNumbers() { SetFormatSettings(m_saved); }

private:
    TFormatSettings m_saved;
};

struct TToolRun {
    bool Ran = false;
    int ExitCode = -1;
    QString Output;
    QString Errors;
};

TToolRun RunTool(const QString& program, const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    TToolRun run;
    run.Ran = process.waitForFinished(kToolTimeoutMs) && process.exitStatus() == QProcess::NormalExit;
    run.ExitCode = process.exitCode();
    run.Output = QString::fromUtf8(process.readAllStandardOutput());
    run.Errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

/// Order 1 as the tests lay it out: three pages of ten item rows, then an empty page.
QString WriteOrderOne(const QTemporaryDir& dir)
{
    auto store = MakeOrderStore(3, 10);
    (*store)->Add(MakeTextPage({}));
    TRLXLSFilter filter(nullptr);
    filter.Options = foFindValueCells;
    const QString fileName = dir.filePath(QStringLiteral("ordem1.xls"));
    filter.SaveToFile(**store, fileName);
    return fileName;
}

/// "cell" lines of the dump by sheet, row and column.
QMap<QString, QStringList> CellsOf(const QString& dump)
{
    QMap<QString, QStringList> cells;
    for (const QString& line : dump.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(u'\t');
        if (fields.value(0) == u"cell")
            cells.insert(fields[1] + u'!' + fields[2] + u',' + fields[3], fields.mid(4));
    }
    return cells;
}

} // namespace

TEST(XLSRealComponents, XlrdReadsSheetsCellsMergesFontsAndNumbers)
{
    const QString python = PythonWithXlrd();
    if (python.isEmpty())
        FAIL() << "python3-xlrd is not installed (make test-deps installs it)";
    const TBrazilianNumbers brazil;
    const TXLSPortugueseTexts portuguese;
    QTemporaryDir dir;
    const QString fileName = WriteOrderOne(dir);
    QString error;
    const QString dump = XlrdDump(fileName, &error);
    ASSERT_EQ(error, QString());
    const QStringList lines = dump.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(lines.contains(QStringLiteral("user\tQuirelReport")));
    // 1 title row + 1 header row + 10 item rows, over the 8 columns of the table.
    for (const char* sheet :
        { "sheet\tPágina1\t12\t8", "sheet\tPágina2\t12\t8", "sheet\tPágina3\t12\t8", "sheet\tPágina4\t0\t0" })
        EXPECT_TRUE(lines.contains(QString::fromUtf8(sheet))) << sheet;
    for (const char* merged : { "merged\tPágina1\t0\t0\t0\t7", "merged\tPágina3\t0\t0\t0\t7" })
        EXPECT_TRUE(lines.contains(QString::fromUtf8(merged))) << merged;

    const QMap<QString, QStringList> cells = CellsOf(dump);
    struct Case {
        const char* cell;
        const char* kind;
        QString value;
        int height, weight, horizontal;
        /// The number format: the printed digits for numbers, general for the rest.
        const char* format = "General";
    };
    const Case cases[] = {
        { "Página1!0,0", "text", QStringLiteral("ORDEM DE COMPRA Nº 1"), 280, 700, 2 },
        { "Página1!0,7", "blank", QString(), 280, 700, 2 },
        { "Página1!1,2", "text", QStringLiteral("Descrição"), 160, 700, 1 },
        { "Página1!2,0", "number", QStringLiteral("1.0"), 160, 400, 1, "#,##0" },
        { "Página1!2,1", "text", QStringLiteral("REF-00001"), 160, 400, 1 },
        { "Página1!2,2", "text", QStringLiteral("Parafuso sextavado M7 aço inox"), 160, 400, 1 },
        { "Página1!2,5", "number", QStringLiteral("1244.75"), 160, 400, 3, "#,##0.00" },
        { "Página1!2,6", "number", QStringLiteral("2489.5"), 160, 400, 3, "#,##0.00" },
        { "Página1!2,7", "number", QStringLiteral("6.0"), 160, 400, 3, "#,##0.0" },
        { "Página2!11,1", "text", QStringLiteral("REF-00020"), 160, 400, 1 },
        { "Página3!2,3", "text", QStringLiteral("PC"), 160, 400, 1 },
    };
    for (const Case& c : cases) {
        const QString key = QString::fromUtf8(c.cell);
        ASSERT_TRUE(cells.contains(key)) << c.cell;
        const QStringList fields = cells.value(key);
        EXPECT_EQ(fields.value(0), QString::fromUtf8(c.kind)) << c.cell;
        EXPECT_EQ(fields.value(1), c.value) << c.cell;
        EXPECT_EQ(fields.value(2), QStringLiteral("Arial")) << c.cell;
        EXPECT_EQ(fields.value(3).toInt(), c.height) << c.cell;
        EXPECT_EQ(fields.value(4).toInt(), c.weight) << c.cell;
        EXPECT_EQ(fields.value(6).toInt(), c.horizontal) << c.cell;
        EXPECT_EQ(fields.value(8), QString::fromUtf8(c.format)) << c.cell;
    }
}

TEST(XLSRealComponents, LibreOfficeConvertsOrderOneToCsvWithTheItemRows)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        FAIL() << "libreoffice-calc-nogui is not installed (make test-deps installs it)";
    const TBrazilianNumbers brazil;
    QTemporaryDir dir;
    const QString fileName = WriteOrderOne(dir);
    const TToolRun run = RunTool(soffice,
        LibreOfficeArguments(dir.filePath(QStringLiteral("profile")),
            { QStringLiteral("--convert-to"), QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"),
                QStringLiteral("--outdir"), dir.filePath(QStringLiteral("csv")), fileName }),
        LibreOfficeEnvironment());
    ASSERT_TRUE(run.Ran) << "LibreOffice did not finish";
    ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    QFile csv(dir.filePath(QStringLiteral("csv/ordem1.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly)) << run.Output.toStdString() << run.Errors.toStdString();
    const QStringList rows = QString::fromUtf8(csv.readAll()).split(u'\n', Qt::SkipEmptyParts);
    // The first sheet: title, header and the ten item rows, numbers as numbers shown with the
    // printed digits, here in LibreOffice's English notation.
    ASSERT_EQ(rows.size(), 12);
    EXPECT_EQ(rows[0].trimmed(), QStringLiteral("ORDEM DE COMPRA Nº 1,,,,,,,"));
    EXPECT_EQ(rows[1].trimmed(), QStringLiteral("Item,Código,Descrição,Un,Qtd,Unitário,Total,IPI %"));
    EXPECT_EQ(rows[2].trimmed(),
        QStringLiteral("1,REF-00001,Parafuso sextavado M7 aço inox,PC,2,\"1,244.75\",\"2,489.50\",6.0"));
    EXPECT_EQ(rows[11].trimmed(),
        QStringLiteral("10,REF-00010,Parafuso sextavado M6 aço inox,PC,4,\"1,337.00\",\"5,348.00\",6.0"));
}
