// The built program run as a script runs it: exit codes, messages, and the files it leaves.
#include "PageDump.h"
#include "SampleOrders.h"

#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "tests/app/CommandLineFixture.h"
#include "tests/common/TestHelpers.h"

#include <QFileInfo>
#include <csignal>
#include <functional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

namespace {

mode_t NodeType(const QString& path)
{
    struct stat node { };
    return lstat(QFile::encodeName(path).constData(), &node) == 0 ? node.st_mode & S_IFMT : 0;
}

/// A listening Unix socket at `path`; its descriptor.
int BindSocket(const QString& path)
{
    const int descriptor = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const QByteArray encoded = QFile::encodeName(path);
    if (descriptor < 0 || std::size_t(encoded.size()) >= sizeof address.sun_path)
        return -1;
    std::copy(encoded.begin(), encoded.end(), address.sun_path);
    if (bind(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(descriptor);
        return -1;
    }
    return descriptor;
}

QByteArray Contents(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_F(CommandLine, PageFileOfAnOrderReadsBackAsTheGoldenPages)
{
    const QString file = Output(u"order-4.rpf"_s);
    const TProgramRun run = Run(QStringList { u"4"_s, u"--rpf"_s, file } + Data());
    ASSERT_EQ(run.ExitCode, kExitSuccess) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();

    TRLGraphicStorage pages;
    pages.LoadFromFile(file);
    ASSERT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(pages.LastPageNumber(), 2);
    for (int page = 0; page < 2; ++page)
        ExpectMatchesGolden(
            DumpPage(*pages.Pages(page)), QStringLiteral("app/order-4-page-%1.txt").arg(page + 1));
}

TEST_F(CommandLine, SeveralExportsInOneRun)
{
    const TProgramRun run
        = Run(QStringList { u"1"_s, u"--rpf"_s, Output(u"o.rpf"_s), u"--pdf"_s, Output(u"o.pdf"_s),
                  u"--pdf-portable"_s, Output(u"p.pdf"_s), u"--xls"_s, Output(u"o.xls"_s) }
            + Data());
    ASSERT_EQ(run.ExitCode, kExitSuccess) << run.Err.toStdString();
    QFile pdf(Output(u"o.pdf"_s));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(10) == "%PDF-1.2\r\n") << "the exact PDF";
    QFile portable(Output(u"p.pdf"_s));
    ASSERT_TRUE(portable.open(QIODevice::ReadOnly));
    EXPECT_TRUE(portable.read(10) == "%PDF-1.4\r\n") << "the portable PDF";
    QFile xls(Output(u"o.xls"_s));
    ASSERT_TRUE(xls.open(QIODevice::ReadOnly));
    EXPECT_TRUE(xls.read(8) == QByteArray::fromHex("D0CF11E0A1B11AE1")) << "a compound document";
    TRLGraphicStorage pages;
    pages.LoadFromFile(Output(u"o.rpf"_s));
    EXPECT_EQ(pages.PageCount(), 1);
}

TEST_F(CommandLine, OrdersThatDoNotExistExitWithOneAndWriteNothing)
{
    struct Case {
        QString order;
        const char* what;
    };
    const Case cases[] = {
        { QString(), "empty" },
        { u"abc"_s, "not a number" },
        { u"1e999"_s, "beyond double" },
        { QString(10240, u'9'), "ten kilobytes of digits" },
        { u"-1"_s, "negative" },
        { u"99"_s, "no such order" },
        { u"1.000"_s, "one thousand in Brazil, not order 1" },
    };
    for (const Case& c : cases) {
        const TProgramRun run = Run(QStringList { c.order, u"--rpf"_s, Output(u"missing.rpf"_s) } + Data());
        EXPECT_EQ(run.ExitCode, kExitOrderNotFound) << c.what << ": " << run.Err.toStdString();
        EXPECT_TRUE(run.Err.contains(kNotFound)) << c.what << ": " << run.Err.toStdString();
        EXPECT_TRUE(Outputs().isEmpty()) << c.what << ": " << Outputs().join(u' ').toStdString();
    }
}

TEST_F(CommandLine, BadCommandLinesExitWithTwoAndSayWhy)
{
    struct Case {
        QStringList arguments;
        QString expected;
        const char* what;
    };
    const Case cases[] = {
        { { u"--rpf"_s, Output(u"x.rpf"_s) }, u"an export option needs an order number"_s, "no order" },
        { { u"1"_s, u"--bogus"_s }, u"unknown option --bogus"_s, "unknown option" },
        { { u"1"_s, u"--rpf"_s }, u"--rpf needs a value"_s, "option without its value at the end" },
        { { u"1"_s, u"--rpf"_s, u"--pdf"_s, u"x.pdf"_s }, u"--rpf needs a value"_s,
            "an option is not taken as the value of another" },
        { { u"1"_s, u"--pdf="_s }, u"--pdf needs a file name"_s, "empty file name" },
        { { u"1"_s, u"--pdf-portable"_s }, u"--pdf-portable needs a value"_s,
            "portable PDF without its file" },
        { { u"--pdf-portable"_s, Output(u"x.pdf"_s) }, u"an export option needs an order number"_s,
            "portable PDF without an order" },
        { { u"1"_s, u"--view"_s, Output(u"x.rpf"_s) }, u"give either an order number or --view"_s,
            "an order and a page file" },
        { { u"--view"_s, Output(u"x.rpf"_s), u"--pdf"_s, Output(u"x.pdf"_s), u"3"_s },
            u"give either an order number or --view"_s, "a page file to convert and an order" },
        { { u"1"_s, u"2"_s, u"--pdf"_s, Output(u"x.pdf"_s) },
            u"2 orders cannot all be written to \""_s + Output(u"x.pdf"_s)
                + u"\": put {order} in the file name"_s,
            "several orders into one file" },
        { { u"8-1"_s, u"--pdf"_s, Output(u"OC-{order}.pdf"_s) },
            u"the order range 8-1 ends before it starts"_s, "a range backwards" },
        { { u"1-999999"_s, u"--pdf"_s, Output(u"OC-{order}.pdf"_s) },
            u"the order range 1-999999 holds more than 100000 orders"_s, "a range too long" },
        { { u"1"_s, u"--pdf"_s, Output(u"x.pdf"_s), u"--pages"_s, u"5-2"_s },
            u"--pages 5-2: give page numbers from 1 and ranges such as 2-5,9"_s, "pages backwards" },
        { { u"1"_s, u"--pdf"_s, Output(u"x.pdf"_s), u"--pages"_s, u"0,2"_s },
            u"--pages 0,2: give page numbers from 1"_s, "page 0" },
        { { u"1"_s, u"--pdf"_s, Output(u"x.pdf"_s), u"--pages"_s }, u"--pages needs a value"_s,
            "pages without a list" },
        { { u"1"_s, u"--pages"_s, u"2"_s }, u"--pages goes with an export option"_s, "pages in the preview" },
        { { u"1"_s, u"--pdf"_s, Output(u"x.pdf"_s), u"--copies"_s, u"2"_s }, u"--copies goes with --print"_s,
            "copies of a PDF" },
        { { u"1"_s, u"--print"_s, u"--copies"_s, u"0"_s },
            u"--copies 0: give a whole number from 1 to 9999"_s, "no copies" },
        { { u"1"_s, u"--print"_s, u"--copies=many"_s },
            u"--copies many: give a whole number from 1 to 9999"_s, "copies not a number" },
        { { u"1"_s, u"2"_s, u"--pdf"_s, Output(u"OC-{order}.pdf"_s), u"-j"_s, u"65"_s },
            u"-j 65: give a whole number from 1 to 64"_s, "too many jobs" },
        { { u"1"_s, u"-q"_s }, u"-q goes with an export option"_s, "quiet preview" },
        { { u"--view"_s, Output(u"x.rpf"_s), u"--layout"_s, Output(u"l.json"_s), u"--pdf"_s,
              Output(u"x.pdf"_s) },
            u"--layout prints an order; a page file from --view is already laid out"_s,
            "a layout for saved pages" },
        { { u"--write-layout"_s }, u"--write-layout needs a value"_s, "no file to write the layout to" },
    };
    for (const Case& c : cases) {
        const TProgramRun run = Run(Data() + c.arguments, kEnglish);
        EXPECT_EQ(run.ExitCode, kExitFailure) << c.what;
        EXPECT_TRUE(run.Err.contains(c.expected)) << c.what << ": " << run.Err.toStdString();
        EXPECT_TRUE(run.Err.contains(u"Usage: ordemcompra"_s)) << c.what << ": usage follows the reason";
        EXPECT_TRUE(Outputs().isEmpty()) << c.what;
    }
}

TEST_F(CommandLine, DataProblemsExitWithTwoAndNameWhatIsWrong)
{
    QDir work(m_work.path());
    ASSERT_TRUE(work.mkdir(u"empty"_s));
    const auto damagedCopy = [&](const QString& name, const std::function<void(const QString&)>& damage) {
        EXPECT_TRUE(work.mkdir(name));
        const QDir sample(SampleDatabaseDirectory());
        for (const QString& file : sample.entryList(QDir::Files))
            EXPECT_TRUE(QFile::copy(sample.filePath(file), work.filePath(name + u'/' + file)));
        damage(work.filePath(name + u"/OrdemCompraItens.DB"_s));
        return work.filePath(name);
    };
    // The item table has a 2 KiB header and 2 KiB blocks; order 8's items lie in blocks 408 to 411.
    const auto zeroBlock = [](const QString& path) {
        QFile items(path);
        ASSERT_TRUE(items.open(QIODevice::ReadWrite));
        ASSERT_TRUE(items.seek(0x800 + 408 * 2048));
        ASSERT_EQ(items.write(QByteArray(2048, 0)), 2048);
    };
    const auto replaceBy = [](const std::function<bool(const QByteArray&)>& make) {
        return [make](const QString& path) {
            ASSERT_TRUE(QFile::remove(path));
            ASSERT_TRUE(make(QFile::encodeName(path)));
        };
    };

    struct Case {
        QString directory;
        QString named;
        QString fault;
        const char* what;
    };
    const Case cases[] = {
        { work.filePath(u"no-such-directory"_s), work.filePath(u"no-such-directory"_s), u"does not exist"_s,
            "missing directory" },
        { work.filePath(u"empty"_s), u"OrdemCompra.DB"_s, u"does not exist"_s,
            "directory without the tables" },
        { damagedCopy(u"truncated"_s, [](const QString& path) { QFile(path).resize(100); }),
            u"OrdemCompraItens.DB"_s, u"truncated"_s, "truncated table" },
        { damagedCopy(u"zeroed"_s, zeroBlock), u"OrdemCompraItens.DB"_s,
            u"damaged: the block chain ends at block 409 with 6121 of the 11158 records the header counts; "
            "the other records are lost"_s,
            "a block of the chain zeroed" },
        { damagedCopy(u"fifo"_s, replaceBy([](const QByteArray& name) { return mkfifo(name, 0600) == 0; })),
            u"OrdemCompraItens.DB"_s, u"is a FIFO, not a table file; refused"_s,
            "a FIFO instead of the table" },
        { damagedCopy(
              u"device"_s, replaceBy([](const QByteArray& name) { return symlink("/dev/zero", name) == 0; })),
            u"OrdemCompraItens.DB"_s, u"is a character device, not a table file; refused"_s,
            "a symbolic link to /dev/zero" },
        { damagedCopy(u"huge"_s, [](const QString& path) { QFile(path).resize(qint64(1) << 31); }),
            u"OrdemCompraItens.DB"_s,
            u"2147483648 bytes, more than the 134217728 the format allows; refused"_s,
            "a table larger than its 65535 blocks (sparse)" },
    };
    for (const Case& c : cases) {
        const TProgramRun run
            = Run({ u"8"_s, u"--rpf"_s, Output(u"x.rpf"_s), u"--data"_s, c.directory }, kEnglish);
        EXPECT_EQ(run.ExitCode, kExitFailure) << c.what;
        EXPECT_TRUE(run.Err.contains(c.named)) << c.what << ": " << run.Err.toStdString();
        EXPECT_TRUE(run.Err.contains(c.fault)) << c.what << ": " << run.Err.toStdString();
        EXPECT_FALSE(QFile::exists(Output(u"x.rpf"_s))) << c.what;
    }
}

TEST_F(CommandLine, CutBlockChainIsReadInFileOrderAndSaysSo)
{
    QDir work(m_work.path());
    ASSERT_TRUE(work.mkdir(u"cut"_s));
    const QDir sample(SampleDatabaseDirectory());
    for (const QString& file : sample.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(sample.filePath(file), work.filePath(u"cut/"_s + file)));
    QFile items(work.filePath(u"cut/OrdemCompraItens.DB"_s));
    ASSERT_TRUE(items.open(QIODevice::ReadWrite));
    // Block 400's "next" set to 0: the chain stops before order 8's items.
    ASSERT_TRUE(items.seek(0x800 + 399 * 2048));
    ASSERT_EQ(items.write(QByteArray(2, 0)), 2);
    items.close();

    const TProgramRun intact = Run(QStringList { u"8"_s, u"--rpf"_s, Output(u"intact.rpf"_s) } + Data());
    ASSERT_EQ(intact.ExitCode, kExitSuccess) << intact.Err.toStdString();
    const TProgramRun cut
        = Run({ u"8"_s, u"--rpf"_s, Output(u"cut.rpf"_s), u"--data"_s, work.filePath(u"cut"_s) }, kEnglish);
    ASSERT_EQ(cut.ExitCode, kExitSuccess) << cut.Err.toStdString();
    EXPECT_TRUE(
        cut.Err.contains(u"OrdemCompraItens.DB\": damaged: the block chain ends at block 400 with 6000 "
                         "of the 11158 records the header counts; all 11158 records were read from the "
                         "blocks in file order"_s))
        << cut.Err.toStdString();
    QFile a(Output(u"intact.rpf"_s));
    QFile b(Output(u"cut.rpf"_s));
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_TRUE(a.readAll() == b.readAll()) << "all 45 items of order 8 are printed";
}

// An output that is the file the pages come from, a table of the order or the page file being
// converted, would destroy it: refused, and the file left as it was.
TEST_F(CommandLine, OutputNamingATableIsRefusedAndTheTableKept)
{
    QDir work(m_work.path());
    ASSERT_TRUE(work.mkdir(u"db"_s));
    const QDir sample(SampleDatabaseDirectory());
    for (const QString& file : sample.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(sample.filePath(file), work.filePath(u"db/"_s + file)));
    const QString db = work.filePath(u"db"_s);
    ASSERT_EQ(symlink(QFile::encodeName(db + u"/OrdemCompraItens.DB"_s).constData(),
                  QFile::encodeName(work.filePath(u"link.xls"_s)).constData()),
        0);
    const QString pageFile = work.filePath(u"order-8.rpf"_s);
    ASSERT_EQ(Run({ u"8"_s, u"--rpf"_s, pageFile, u"--data"_s, db }).ExitCode, kExitSuccess);
    ASSERT_EQ(symlink(QFile::encodeName(pageFile).constData(),
                  QFile::encodeName(work.filePath(u"page-link.pdf"_s)).constData()),
        0);
    const QStringList order { u"8"_s, u"--data"_s, db };
    const QStringList view { u"--view"_s, pageFile };
    struct Case {
        QStringList source;
        QString option;
        QString output;
        QString kept;
    };
    const Case cases[] = {
        { order, u"--pdf"_s, db + u"/OrdemCompra.DB"_s, db + u"/OrdemCompra.DB"_s },
        { order, u"--rpf"_s, db + u"/OrdemCompra.MB"_s, db + u"/OrdemCompra.MB"_s },
        { order, u"--xls"_s, work.filePath(u"link.xls"_s), db + u"/OrdemCompraItens.DB"_s },
        { view, u"--pdf"_s, pageFile, pageFile },
        { view, u"--xls"_s, pageFile, pageFile },
        { view, u"--rpf"_s, pageFile, pageFile },
        { view, u"--pdf"_s, work.filePath(u"page-link.pdf"_s), pageFile },
        { order, u"--pdf-portable"_s, db + u"/OrdemCompra.DB"_s, db + u"/OrdemCompra.DB"_s },
        { view, u"--pdf-portable"_s, pageFile, pageFile },
    };
    for (const Case& c : cases) {
        const std::string what = (c.source + QStringList { c.option, c.output }).join(u' ').toStdString();
        QFile kept(c.kept);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        const QByteArray before = kept.readAll();
        kept.close();
        const TProgramRun run = Run(c.source + QStringList { c.option, c.output }, kEnglish);
        EXPECT_EQ(run.ExitCode, kExitFailure) << what;
        EXPECT_TRUE(run.Err.contains(u"Refused to write"_s) && run.Err.contains(QFileInfo(c.kept).fileName()))
            << what << ": " << run.Err.toStdString();
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_TRUE(kept.readAll() == before) << c.kept.toStdString() << " changed";
    }
}

// A pipe or a terminal named as the output is written into, as `cat > NODE` would, and stays what
// it is: the bytes are those of the same export into a regular file.
TEST_F(CommandLine, PipesAndTerminalsAreWrittenIntoAndKept)
{
    const QString fifo = Output(u"fifo"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_EQ(
        symlink(QFile::encodeName(fifo).constData(), QFile::encodeName(Output(u"to-fifo"_s)).constData()), 0);
    TTerminal terminal;
    ASSERT_FALSE(terminal.Device.isEmpty()) << "no pseudo-terminal";
    ASSERT_EQ(symlink(QFile::encodeName(terminal.Device).constData(),
                  QFile::encodeName(Output(u"to-terminal"_s)).constData()),
        0);
    struct Case {
        QString option;
        QString output;
        QByteArray magic;
    };
    const QByteArray compound = QByteArray::fromHex("D0CF11E0A1B11AE1");
    const Case cases[] = {
        { u"--pdf"_s, u"fifo"_s, "%PDF-1.2" },
        { u"--xls"_s, u"fifo"_s, compound },
        { u"--rpf"_s, u"fifo"_s, "RLGraphicStorage3" },
        { u"--pdf"_s, u"to-fifo"_s, "%PDF-1.2" },
        { u"--rpf"_s, u"to-terminal"_s, "RLGraphicStorage3" },
        { u"--xls"_s, u"to-terminal"_s, compound },
        { u"--xlsx"_s, u"fifo"_s, "PK\x03\x04" },
    };
    for (const Case& c : cases) {
        const std::string what = (c.option + u' ' + c.output).toStdString();
        const QString file = Output(u"regular"_s);
        const TProgramRun regular = Run(QStringList { u"4"_s, c.option, file } + Data());
        ASSERT_EQ(regular.ExitCode, kExitSuccess) << what << ": " << regular.Err.toStdString();
        const bool toFifo = c.output != u"to-terminal";
        const int descriptor = toFifo ? open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK)
                                      : dup(terminal.Master);
        ASSERT_GE(descriptor, 0) << what;
        TNodeReader reader(descriptor);
        const TProgramRun run = Run(QStringList { u"4"_s, c.option, Output(c.output) } + Data());
        const QByteArray received = reader.Finish();
        EXPECT_EQ(run.ExitCode, kExitSuccess) << what << ": " << run.Err.toStdString();
        EXPECT_TRUE(received.startsWith(c.magic)) << what << ": " << received.left(16).toHex().toStdString();
        EXPECT_TRUE(received == Contents(file)) << what << ": " << received.size() << " bytes received, "
                                                << Contents(file).size() << " in the regular file";
        EXPECT_EQ(NodeType(fifo), mode_t(S_IFIFO)) << what;
        EXPECT_EQ(NodeType(Output(u"to-fifo"_s)), mode_t(S_IFLNK)) << what;
        EXPECT_EQ(NodeType(Output(u"to-terminal"_s)), mode_t(S_IFLNK)) << what;
        EXPECT_EQ(NodeType(terminal.Device), mode_t(S_IFCHR)) << what;
        QFile::remove(file);
        EXPECT_EQ(Outputs(), (QStringList { u"to-fifo"_s, u"to-terminal"_s })) << what << ": only the links";
    }
}

// The reader of `--pdf - | head -c 100` goes away while the program writes: it ends of SIGPIPE
// as a shell tool does, and its temporary page file goes with it.
TEST_F(CommandLine, ReaderThatGoesAwayLeavesNoTemporaryFile)
{
    QProcess head;
    head.setStandardOutputFile(QProcess::nullDevice());
    head.setProgram(u"head"_s);
    head.setArguments({ u"-c"_s, u"100"_s });
    const TProgramRun run = Run(QStringList { u"7"_s, u"--pdf"_s, u"-"_s } + Data(), {}, &head);
    head.waitForFinished();
    EXPECT_EQ(run.Signal, SIGPIPE) << "exit " << run.ExitCode << ": " << run.Err.toStdString();
    // TearDown checks that the temporary directory is empty.
}

// A page declaring 20000 x 20000 dots (a copy of it in the preview took 1.6 GB) is refused when
// the page file is read, naming the field, and nothing is written.
TEST_F(CommandLine, PageFileWithAnAbsurdPageSizeIsRefused)
{
    const QString pageFile = Output(u"order-1.rpf"_s);
    const TProgramRun saved = Run(QStringList { u"1"_s, u"--rpf"_s, pageFile } + Data());
    ASSERT_EQ(saved.ExitCode, kExitSuccess) << saved.Err.toStdString();
    QFile file(pageFile);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    // The first page's width and height follow its record's magic.
    const qsizetype page = bytes.indexOf("RLGraphicSurface3");
    ASSERT_GE(page, 0);
    bytes.replace(page + 18, 8, QByteArray("\x20\x4E\0\0\x20\x4E\0\0", 8));
    ASSERT_TRUE(file.seek(0) && file.write(bytes) == bytes.size());
    file.close();
    for (const QString& option : { u"--pdf"_s, u"--xls"_s }) {
        const TProgramRun run = Run({ u"--view"_s, pageFile, option, Output(u"out"_s) }, kEnglish);
        EXPECT_EQ(run.ExitCode, kExitFailure) << option.toStdString();
        EXPECT_TRUE(run.Err.contains(
            u"page size at byte %1: 20000 x 20000 dots is outside 0 to 16384 on a side"_s.arg(page + 26)))
            << run.Err.toStdString();
        EXPECT_FALSE(QFile::exists(Output(u"out"_s))) << option.toStdString();
    }
    QFile::remove(pageFile);
}

TEST_F(CommandLine, MissingTempDirectoryIsNamed)
{
    const QString missing = m_work.filePath(u"no-such-tmp"_s);
    const TProgramRun run = Run(QStringList { u"8"_s, u"--pdf"_s, Output(u"t.pdf"_s) } + Data(),
        kEnglish + QStringList { u"TMPDIR="_s + missing });
    EXPECT_EQ(run.ExitCode, kExitFailure);
    EXPECT_TRUE(run.Err.contains(u"Cannot create a temporary file in \""_s + missing + u'"'))
        << run.Err.toStdString();
    EXPECT_FALSE(QFile::exists(Output(u"t.pdf"_s)));
}

TEST_F(CommandLine, UnwritableOutputExitsWithTwoAndLeavesNoFile)
{
    QFile blocker(Output(u"plain-file"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a directory");
    blocker.close();
    ASSERT_TRUE(QDir(m_work.path()).mkdir(u"a-directory"_s));
    const int listening = BindSocket(Output(u"socket"_s));
    ASSERT_GE(listening, 0);
    struct Case {
        QString option;
        QString path;
        const char* what;
    };
    const Case cases[] = {
        { u"--rpf"_s, Output(u"plain-file/order.rpf"_s), "page file under a plain file" },
        { u"--rpf"_s, Output(u"a-directory"_s), "page file over a directory" },
        { u"--pdf"_s, Output(u"socket"_s), "PDF into a socket" },
        { u"--xls"_s, Output(u"socket"_s), "spreadsheet into a socket" },
        { u"--pdf"_s, Output(u"plain-file/order.pdf"_s), "PDF under a plain file" },
        { u"--pdf-portable"_s, Output(u"plain-file/order.pdf"_s), "portable PDF under a plain file" },
        { u"--xls"_s, Output(u"plain-file/order.xls"_s), "spreadsheet under a plain file" },
    };
    for (const Case& c : cases) {
        const TProgramRun run = Run(QStringList { u"1"_s, c.option, c.path } + Data());
        EXPECT_EQ(run.ExitCode, kExitFailure) << c.what << ": " << run.Err.toStdString();
        EXPECT_TRUE(run.Err.contains(c.path))
            << c.what << ": the message names the file: " << run.Err.toStdString();
        EXPECT_EQ(Outputs(), QStringList { u"plain-file"_s }) << c.what;
        EXPECT_EQ(
            QDir(Output(u"a-directory"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList())
            << c.what;
        EXPECT_EQ(NodeType(Output(u"socket"_s)), mode_t(S_IFSOCK)) << c.what;
    }
    close(listening);
    QFile::remove(Output(u"socket"_s));
}

TEST_F(CommandLine, NormalRunsSayNothingOnStderr)
{
    struct Case {
        QStringList arguments;
        QStringList environment;
        const char* what;
    };
    // Without XDG_RUNTIME_DIR Qt used to warn on every run; the private one must not outlive the run.
    const Case cases[] = {
        { { u"3"_s, u"--pdf"_s, Output(u"o.pdf"_s) }, { u"-XDG_RUNTIME_DIR"_s },
            "PDF, no runtime directory" },
        { { u"3"_s, u"--pdf"_s, Output(u"o.pdf"_s) }, {}, "PDF" },
        { { u"3"_s, u"--xls"_s, Output(u"o.xls"_s) }, { u"-XDG_RUNTIME_DIR"_s },
            "XLS, no runtime directory" },
        { { u"3"_s, u"--rpf"_s, Output(u"o.rpf"_s) }, { u"-XDG_RUNTIME_DIR"_s },
            "page file, no runtime directory" },
    };
    for (const Case& c : cases) {
        const TProgramRun run = Run(c.arguments + Data(), c.environment);
        EXPECT_EQ(run.ExitCode, kExitSuccess) << c.what;
        EXPECT_TRUE(run.Err.isEmpty()) << c.what << ": " << run.Err.toStdString();
        EXPECT_TRUE(QFileInfo(c.arguments.last()).size() > 0) << c.what;
        const QStringList left
            = QDir(TempPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        EXPECT_TRUE(left.isEmpty()) << c.what << ": left behind: " << left.join(u' ').toStdString();
    }
}

TEST_F(CommandLine, WindowsWithoutADisplayAreRefusedWithAReason)
{
    struct Case {
        QStringList arguments;
        QStringList environment;
        QString reason;
    };
    const QString offscreen = u"the offscreen platform (QT_QPA_PLATFORM) shows no window"_s;
    const Case cases[] = {
        { { u"1"_s }, { u"-QT_QPA_PLATFORM"_s }, u"no display"_s },
        { {}, { u"-QT_QPA_PLATFORM"_s }, u"no display"_s },
        { { u"--view"_s, u"x.rpf"_s }, { u"-QT_QPA_PLATFORM"_s }, u"no display"_s },
        // Under the offscreen platform the preview would wait forever for an operator.
        { { u"3"_s }, { u"QT_QPA_PLATFORM=offscreen"_s, u"-XDG_RUNTIME_DIR"_s }, offscreen },
        { {}, { u"QT_QPA_PLATFORM=offscreen"_s }, offscreen },
        { { u"--view"_s, u"x.rpf"_s }, { u"QT_QPA_PLATFORM=offscreen"_s }, offscreen },
    };
    for (const Case& c : cases) {
        const QString what = (c.arguments + c.environment).join(u' ');
        const TProgramRun run = Run(c.arguments + Data(), kEnglish + c.environment);
        EXPECT_TRUE(run.Finished) << what.toStdString();
        EXPECT_EQ(run.ExitCode, kExitFailure) << what.toStdString();
        EXPECT_TRUE(run.Err.contains(c.reason)) << what.toStdString() << ": " << run.Err.toStdString();
        EXPECT_FALSE(run.Err.contains(u"QStandardPaths"_s))
            << what.toStdString() << ": " << run.Err.toStdString();
    }
}

TEST_F(CommandLine, HelpAndVersion)
{
    const TProgramRun help = Run({ u"--help"_s }, kEnglish);
    EXPECT_EQ(help.ExitCode, kExitSuccess);
    EXPECT_TRUE(help.Out.startsWith(u"Usage: ordemcompra"_s)) << help.Out.toStdString();
    for (const QString& option : { u"--rpf FILE"_s, u"--pages LIST"_s, u"--copies N"_s, u"-j, --jobs N"_s })
        EXPECT_TRUE(help.Out.contains(option)) << option.toStdString();
    const TProgramRun version = Run({ u"--version"_s });
    EXPECT_EQ(version.ExitCode, kExitSuccess);
    EXPECT_TRUE(version.Out.contains(u"0.6"_s)) << version.Out.toStdString();
}

// The operator's language: under pt_BR what went wrong reads in Portuguese, the file named first
// and the cause after it; under en_US the same cases read in English.
TEST_F(CommandLine, FailuresSpeakTheOperatorsLanguage)
{
    QFile blocker(Output(u"plain-file"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QFile notes(Output(u"notes.rpf"_s));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("Plain notes, long enough for any header, but no pages at all.\n");
    notes.close();
    ASSERT_TRUE(QDir(m_work.path()).mkdir(u"empty"_s));
    const int listening = BindSocket(Output(u"socket"_s));
    ASSERT_GE(listening, 0);
    const QString missingDir = Output(u"no-such-directory"_s);
    const QString pdf = Output(u"no-such-folder/o.pdf"_s);
    const QString missingFolder = Output(u"no-such-folder"_s);
    struct Case {
        QStringList arguments;
        QString portuguese;
        QString english;
        const char* what;
    };
    const Case cases[] = {
        { { u"1"_s, u"--pdf"_s, Output(u"o.pdf"_s), u"--data"_s, missingDir },
            u"Alias KORVANE do banco de dados: a pasta \""_s + missingDir
                + u"\" (dada em --data) não existe"_s,
            u"Alias KORVANE: directory \""_s + missingDir + u"\" (from --data) does not exist"_s,
            "missing --data directory" },
        { { u"1"_s, u"--pdf"_s, Output(u"o.pdf"_s), u"--data"_s, Output(u"empty"_s) },
            u"OrdemCompra.DB\": o arquivo não existe; confira a pasta de dados"_s,
            u"OrdemCompra.DB\": the file does not exist"_s, "table missing from the data directory" },
        { QStringList { u"1"_s, u"--pdf"_s, pdf } + Data(),
            u"Não foi possível criar o arquivo \""_s + pdf + u"\". A pasta "_s + missingFolder
                + u" não existe."_s,
            u"Cannot create file \""_s + pdf + u"\". The folder "_s + missingFolder + u" does not exist."_s,
            "PDF into a folder that does not exist" },
        { QStringList { u"1"_s, u"--xls"_s, Output(u"no-such-folder/o.xls"_s) } + Data(),
            u"Não foi possível criar "_s + Output(u"no-such-folder/o.xls"_s) + u": a pasta "_s + missingFolder
                + u" não existe"_s,
            u"Cannot create "_s + Output(u"no-such-folder/o.xls"_s) + u": the folder "_s + missingFolder
                + u" does not exist"_s,
            "spreadsheet into a folder that does not exist" },
        { QStringList { u"1"_s, u"--xlsx"_s, Output(u"no-such-folder/o.xlsx"_s) } + Data(),
            u"Não foi possível criar "_s + Output(u"no-such-folder/o.xlsx"_s) + u": a pasta "_s
                + missingFolder + u" não existe"_s,
            u"Cannot create "_s + Output(u"no-such-folder/o.xlsx"_s) + u": the folder "_s + missingFolder
                + u" does not exist"_s,
            "XLSX into a folder that does not exist" },
        { QStringList { u"1"_s, u"--rpf"_s, Output(u"plain-file/o.rpf"_s) } + Data(),
            u"Não foi possível criar "_s + Output(u"plain-file/o.rpf"_s) + u": "_s + Output(u"plain-file"_s)
                + u" não é uma pasta"_s,
            u"Cannot create "_s + Output(u"plain-file/o.rpf"_s) + u": "_s + Output(u"plain-file"_s)
                + u" is not a folder"_s,
            "page file under a plain file" },
        { QStringList { u"1"_s, u"--rpf"_s, Output(u"empty"_s) } + Data(),
            u": é uma pasta; informe o nome de um arquivo"_s, u": it is a folder; give a file name"_s,
            "page file onto a folder" },
        { QStringList { u"1"_s, u"--pdf"_s, Output(u"socket"_s) } + Data(),
            u"Não foi possível criar o arquivo \""_s + Output(u"socket"_s)
                + u"\". É um soquete; um relatório só"_s,
            u"Cannot create file \""_s + Output(u"socket"_s)
                + u"\". It is a socket; a report is written only"_s,
            "PDF into a socket" },
        { { u"1"_s, u"--bogus"_s }, u"opção desconhecida --bogus"_s, u"unknown option --bogus"_s,
            "unknown option" },
        { { u"1"_s, u"--one-sheet"_s, u"--xls"_s, Output(u"o.xls"_s) }, u"--one-sheet acompanha --xlsx"_s,
            u"--one-sheet goes with --xlsx"_s, "one sheet without an XLSX file" },
        { { u"--rpf"_s, u"x.rpf"_s }, u"informe o número da ordem de compra para exportar"_s,
            u"an export option needs an order number"_s, "export without an order" },
        { { u"--view"_s, Output(u"missing.rpf"_s), u"--pdf"_s, Output(u"o.pdf"_s) },
            u"Não foi possível abrir "_s + Output(u"missing.rpf"_s),
            u"Cannot open "_s + Output(u"missing.rpf"_s), "page file to convert that does not exist" },
        { { u"--view"_s, Output(u"notes.rpf"_s), u"--xls"_s, Output(u"o.xls"_s) },
            u"não é um arquivo de páginas"_s, u"not a page file"_s, "page file to convert that is none" },
        { { u"--view"_s, Output(u"x.rpf"_s), u"3"_s }, u"informe o número da ordem ou --view"_s,
            u"give either an order number or --view"_s, "an order and a page file" },
        { { u"--help"_s }, u"Uso: ordemcompra [ORDEM] [opções]"_s, u"Usage: ordemcompra [ORDER] [options]"_s,
            "usage" },
        { { u"1"_s, u"2"_s, u"--xls"_s, u"o.xls"_s }, u"2 ordens não podem ser gravadas todas em \"o.xls\""_s,
            u"2 orders cannot all be written to \"o.xls\""_s, "several orders into one file" },
        { { u"1"_s, u"--pages"_s, u"x"_s, u"--rpf"_s, u"o.rpf"_s }, u"--pages x: informe números de página"_s,
            u"--pages x: give page numbers"_s, "not a page list" },
    };
    for (const Case& c : cases) {
        const TProgramRun portuguese = Run(c.arguments, { u"LANG=pt_BR.UTF-8"_s });
        const QString said = portuguese.Err + portuguese.Out;
        EXPECT_TRUE(said.contains(c.portuguese)) << c.what << ": " << said.toStdString();
        EXPECT_FALSE(said.contains(c.english)) << c.what << ": " << said.toStdString();
        const TProgramRun english = Run(c.arguments, { u"LANG=en_US.UTF-8"_s });
        EXPECT_EQ(english.ExitCode, portuguese.ExitCode) << c.what;
        EXPECT_TRUE((english.Err + english.Out).contains(c.english))
            << c.what << ": " << (english.Err + english.Out).toStdString();
    }
    const TProgramRun noDisplay = Run({ u"1"_s }, { u"-QT_QPA_PLATFORM"_s });
    EXPECT_TRUE(noDisplay.Err.contains(u"não há tela para mostrar a ordem; grave-a com --pdf"_s))
        << noDisplay.Err.toStdString();
    close(listening);
}
