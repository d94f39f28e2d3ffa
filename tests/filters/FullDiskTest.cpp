#include "filters/RLFilterCommands.h"
#include "filters/RLXLSFilter.h"
#include "filters/RLXLSXFilter.h"
#include "tests/common/TestHelpers.h"
#include "tests/filters/FilterTestPages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

namespace {

QByteArray Contents(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}

// A small file sits whole in the save file's buffer until it is committed, so the only write
// that meets the full disk is the last flush.
TEST(FullDisk, ASmallFileThatDoesNotFitFailsAndKeepsThePreviousOne)
{
    using TSave = std::function<void(TRLGraphicStorage&, const QString&)>;
    const struct {
        const char* what;
        TSave save;
        /// libxlsxwriter gives a reason of its own.
        bool givesSystemReason = true;
    } cases[] = {
        { "PDF", [](TRLGraphicStorage& pages, const QString& name) { ExportPagesToPdf(pages, name); } },
        { "spreadsheet",
            [](TRLGraphicStorage& pages, const QString& name) {
                TRLXLSFilter filter(nullptr);
                filter.SaveToFile(pages, name);
            } },
        { "XLSX",
            [](TRLGraphicStorage& pages, const QString& name) {
                TRLXLSXFilter filter(nullptr);
                filter.SaveToFile(pages, name);
            },
            false },
        { "page file", [](TRLGraphicStorage& pages, const QString& name) { pages.SaveToFile(name); } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QTemporaryDir dir;
        auto pages = MakePages(1);
        const QString probe = dir.filePath(u"probe"_qs);
        c.save(*pages->Storage, probe);
        const qint64 size = QFileInfo(probe).size();
        ASSERT_GT(size, 0);
        ASSERT_LT(size, 16 * 1024) << "the case needs a file that fits the save file's buffer";
        ASSERT_TRUE(QFile::remove(probe));

        const QString target = dir.filePath(u"target"_qs);
        {
            QFile previous(target);
            ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
            previous.write("previous");
        }
        QString error;
        {
            const TFileSizeLimit limit(static_cast<rlim_t>(size - 1));
            error = ErrorOf([&] { c.save(*pages->Storage, target); });
        }
        EXPECT_TRUE(error.contains(target)) << error.toStdString();
        if (c.givesSystemReason) {
            EXPECT_TRUE(error.contains(QString::fromLocal8Bit(std::strerror(EFBIG)))) << error.toStdString();
        }
        EXPECT_EQ(Contents(target), QByteArray("previous"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { u"target"_qs });
    }
}

// A write that meets the limit part way is taken in part without an error of its own; the
// message must still give the system's reason, not an unknown error.
TEST(FullDisk, ALargeFileStoppedPartWayNamesItWithTheReasonAndLeavesNothing)
{
    const QString reason = QString::fromLocal8Bit(std::strerror(EFBIG));
    const QTemporaryDir dir;
    auto pages = MakePages(200);
    const QString target = dir.filePath(u"large.pdf"_qs);
    QString error;
    {
        const TFileSizeLimit limit(64 * 1024);
        error = ErrorOf([&] { ExportPagesToPdf(*pages->Storage, target); });
    }
    EXPECT_TRUE(error.contains(target)) << error.toStdString();
    EXPECT_TRUE(error.endsWith(reason)) << error.toStdString();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    // The page store's own temporary file meets the same limit while pages are added.
    {
        const TFileSizeLimit limit(64 * 1024);
        error = ErrorOf([&] { MakePages(400); });
    }
    EXPECT_TRUE(error.startsWith(u"Cannot write "_qs)) << error.toStdString();
    EXPECT_TRUE(error.endsWith(reason)) << error.toStdString();
}
