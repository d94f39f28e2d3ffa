#include "support/TempFiles.h"
#include "tests/common/TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

std::function<quint32()> Draws(std::vector<quint32> numbers)
{
    auto next = std::make_shared<size_t>(0);
    return [numbers, next] { return numbers[std::min((*next)++, numbers.size() - 1)]; };
}

mode_t PermissionsOf(const QString& path)
{
    struct stat info { };
    EXPECT_EQ(stat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    return info.st_mode & 0777;
}

void WriteFile(const QString& path, QByteArrayView content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content.data(), content.size());
}

} // namespace

TEST(TempFiles, NewNameIsCreatedEmptyAndPrivate)
{
    QTemporaryDir dir;
    const QString saved = TempDir();
    SetTempDir(dir.path());
    // Neither a permissive nor a narrow umask may change the file's mode.
    const mode_t savedMask = umask(0);
    const QString name = NewTempFileName();
    umask(0277);
    const QString narrowed = NewTempFileName();
    umask(savedMask);
    EXPECT_EQ(PermissionsOf(narrowed), mode_t(0600));
    SetTempDir(saved);

    EXPECT_TRUE(QRegularExpression(u"^"_qs + QRegularExpression::escape(dir.path()) + u"/~qr\\d+\\.tmp$"_qs)
                    .match(name)
                    .hasMatch())
        << name.toStdString();
    ASSERT_TRUE(QFileInfo::exists(name));
    EXPECT_EQ(QFileInfo(name).size(), 0);
    EXPECT_EQ(PermissionsOf(name), mode_t(0600));
}

TEST(TempFiles, NumbersStayBelowTheLimit)
{
    QTemporaryDir dir;
    struct Case {
        quint32 drawn;
        const char* file;
    };
    const Case cases[] = { { 0, "~qr0.tmp" }, { 2147483646u, "~qr2147483646.tmp" },
        { 2147483647u, "~qr0.tmp" }, { 4294967295u, "~qr1.tmp" } };
    for (const Case& c : cases) {
        const QString name = NewTempFileName(dir.path(), Draws({ c.drawn }));
        EXPECT_EQ(name, dir.filePath(QString::fromLatin1(c.file))) << c.drawn;
        QFile::remove(name);
    }
}

TEST(TempFiles, NameInUseIsDrawnAgainAndLeftAlone)
{
    QTemporaryDir dir;
    WriteFile(dir.filePath(u"~qr5.tmp"_qs), "kept");
    EXPECT_EQ(NewTempFileName(dir.path(), Draws({ 5, 5, 6 })), dir.filePath(u"~qr6.tmp"_qs));
    QFile kept(dir.filePath(u"~qr5.tmp"_qs));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("kept"));
}

TEST(TempFiles, PlantedLinkIsNotFollowed)
{
    QTemporaryDir dir;
    const QString victim = dir.filePath(u"victim"_qs);
    ASSERT_TRUE(QFile::link(victim, dir.filePath(u"~qr7.tmp"_qs)));
    const QString name = NewTempFileName(dir.path(), Draws({ 7, 8 }));
    EXPECT_EQ(name, dir.filePath(u"~qr8.tmp"_qs));
    EXPECT_FALSE(QFileInfo::exists(victim)) << "the link's target was created";
}

// The file is never opened again by name: a link that takes the name's place after creation
// does not receive the bytes.
TEST(TempFiles, OpenedFileIsUsedThroughItsDescriptor)
{
    QTemporaryDir dir;
    const QString victim = dir.filePath(u"victim"_qs);
    WriteFile(victim, "victim");
    ASSERT_TRUE(QFile::link(victim, dir.filePath(u"~qr7.tmp"_qs)));
    QFile file;
    const QString name = OpenNewTempFile(file, dir.path(), Draws({ 7, 8 }));
    EXPECT_EQ(name, dir.filePath(u"~qr8.tmp"_qs));
    EXPECT_TRUE(RegisteredTempFiles().contains(name));
    EXPECT_EQ(PermissionsOf(name), mode_t(0600));
    ASSERT_TRUE(file.isOpen());
    ASSERT_TRUE(QFile::remove(name));
    ASSERT_TRUE(QFile::link(victim, name));
    EXPECT_EQ(file.write("page data"), 9);
    ASSERT_TRUE(file.flush());
    ASSERT_TRUE(file.seek(0));
    EXPECT_EQ(file.readAll(), QByteArray("page data"));
    QFile target(victim);
    ASSERT_TRUE(target.open(QIODevice::ReadOnly));
    EXPECT_EQ(target.readAll(), QByteArray("victim"));
    file.close();
    UnregisterTempFile(name);
}

TEST(TempFiles, DirectoryThatTakesNoFilesIsReported)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(u"missing"_qs);
    EXPECT_EQ(ErrorOf([&] { NewTempFileName(missing, Draws({ 1 })); }),
        u"Cannot create a temporary file in \""_qs + missing + u"\": "_qs
            + QString::fromLocal8Bit(std::strerror(ENOENT)));
    WriteFile(dir.filePath(u"~qr3.tmp"_qs), "");
    EXPECT_EQ(ErrorOf([&] { NewTempFileName(dir.path(), Draws({ 3 })); }),
        u"Cannot create a temporary file in \""_qs + dir.path() + u"\": "_qs
            + QString::fromLocal8Bit(std::strerror(EEXIST)))
        << "every draw taken must end, not loop";
}

TEST(TempFiles, RegisteredFilesAreDeletedOnce)
{
    QTemporaryDir dir;
    const QString a = NewTempFileName(dir.path(), Draws({ 1 }));
    const QString b = NewTempFileName(dir.path(), Draws({ 2 }));
    const QStringList before = RegisteredTempFiles();
    RegisterTempFile(a);
    RegisterTempFile(b);
    RegisterTempFile(a);
    UnregisterTempFile(a);
    UnregisterTempFile(dir.filePath(u"never-registered"_qs));
    const QStringList expected = before + QStringList { b, a };
    EXPECT_EQ(RegisteredTempFiles(), expected);
    RegisterTempFile(dir.filePath(u"already-gone"_qs));
    DeleteRegisteredTempFiles();
    EXPECT_TRUE(RegisteredTempFiles().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(a));
    EXPECT_FALSE(QFileInfo::exists(b));
}

TEST(TempFiles, TempDirJoinsWithOneSeparator)
{
    QTemporaryDir dir;
    EXPECT_EQ(NewTempFileName(dir.path() + u'/', Draws({ 9 })), dir.filePath(u"~qr9.tmp"_qs));
}
