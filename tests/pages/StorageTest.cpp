#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "support/TempFiles.h"
#include "tests/common/TestHelpers.h"
#include "tests/pages/PageTestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

/// A page whose single fill rectangle's left edge tells which page it is.
std::unique_ptr<TRLGraphicSurface> NumberedPage(int number)
{
    auto page = std::make_unique<TRLGraphicSurface>();
    page->Width = 794;
    page->Height = 1123;
    page->FillRect({ number, 0, number + 10, 10 });
    return page;
}

int NumberOf(const TRLGraphicSurface* page)
{
    return page ? page->Objects(0)->BoundsRect.Left : -1;
}

std::unique_ptr<TRLGraphicStorage> StoreOf(int pages)
{
    UseTestTempDir();
    auto store = std::make_unique<TRLGraphicStorage>();
    for (int i = 0; i < pages; ++i)
        store->Add(NumberedPage(i));
    return store;
}

/// Told when the watched component goes.
class TWatcher : public TComponent {
public:
    TWatcher()
        : TComponent(nullptr)
    {
    }
    bool Gone = false;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove)
            Gone = true;
    }
};

TEST(Storage, EmptyStoreHasNoPages)
{
    const auto store = StoreOf(0);
    EXPECT_EQ(store->PageCount(), 0);
    EXPECT_EQ(store->Pages(0), nullptr);
    EXPECT_EQ(store->Pages(-1), nullptr);
    EXPECT_TRUE(store->TempFileName().isEmpty());
}

TEST(Storage, PagesOutsideTheRangeAreNone)
{
    const auto store = StoreOf(3);
    EXPECT_EQ(store->Pages(3), nullptr);
    EXPECT_EQ(store->Pages(-1), nullptr);
    EXPECT_EQ(NumberOf(store->Pages(2)), 2);
}

TEST(Storage, CacheKeepsTheFiveLatestAndEvictsFirstInFirstOut)
{
    const auto store = StoreOf(7);
    EXPECT_EQ(store->CachedPageIndexes(), (std::vector<int> { 2, 3, 4, 5, 6 }));
    struct Step {
        int read;
        std::vector<int> cache;
    };
    const Step steps[] = {
        { 0, { 3, 4, 5, 6, 0 } },
        { 1, { 4, 5, 6, 0, 1 } },
        { 2, { 5, 6, 0, 1, 2 } },
        { 3, { 6, 0, 1, 2, 3 } },
        { 4, { 0, 1, 2, 3, 4 } },
        { 5, { 1, 2, 3, 4, 5 } },
        { 6, { 2, 3, 4, 5, 6 } },
        // A hit does not refresh the page.
        { 2, { 2, 3, 4, 5, 6 } },
        // Page 0 left the cache and is read from the file again.
        { 0, { 3, 4, 5, 6, 0 } },
    };
    for (const Step& step : steps) {
        const TRLGraphicSurface* page = store->Pages(step.read);
        EXPECT_EQ(NumberOf(page), step.read) << "reading page " << step.read;
        EXPECT_EQ(store->CachedPageIndexes(), step.cache) << "after reading page " << step.read;
    }
}

TEST(Storage, ModifiedPageIsStoredAgainBeforeEviction)
{
    const auto store = StoreOf(1);
    const qint64 sizeBefore = QFileInfo(store->TempFileName()).size();
    TRLGraphicSurface* page = store->Pages(0);
    page->FillRect({ 500, 500, 510, 510 });
    EXPECT_TRUE(page->Modified());
    for (int i = 1; i <= 5; ++i)
        store->Add(NumberedPage(i));
    EXPECT_EQ(store->CachedPageIndexes(), (std::vector<int> { 1, 2, 3, 4, 5 }));
    // The older copy stays; the new one is appended.
    EXPECT_GT(QFileInfo(store->TempFileName()).size(), 6 * sizeBefore);
    const TRLGraphicSurface* reread = store->Pages(0);
    ASSERT_NE(reread, nullptr);
    ASSERT_EQ(reread->ObjectCount(), 2);
    EXPECT_EQ(reread->Objects(1)->BoundsRect, (TRect { 500, 500, 510, 510 }));
    EXPECT_FALSE(reread->Modified());
}

TEST(Storage, UnmodifiedPageIsNotStoredAgain)
{
    const auto store = StoreOf(6);
    const qint64 size = QFileInfo(store->TempFileName()).size();
    for (int i = 0; i < 6; ++i)
        store->Pages(i);
    EXPECT_EQ(QFileInfo(store->TempFileName()).size(), size);
}

TEST(Storage, PageWhoseRecordIsDamagedReadsAsNone)
{
    const auto store = StoreOf(7);
    {
        QFile file(store->TempFileName());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        // The magic of page 0's record, just after its length field.
        file.seek(4);
        file.write("XX");
    }
    EXPECT_EQ(store->Pages(0), nullptr);
    EXPECT_EQ(NumberOf(store->Pages(1)), 1);
    EXPECT_EQ(store->PageCopy(0), nullptr);
}

TEST(Storage, MacroAccessorsAndTheirFormats)
{
    const auto store = StoreOf(0);
    EXPECT_EQ(store->Orientation(), TRLPageOrientation::poPortrait) << "missing orientation";
    EXPECT_EQ(store->FirstPageNumber(), 0);
    EXPECT_EQ(store->LastPageNumber(), 0);
    EXPECT_EQ(store->PaperWidth(), 0.0);
    EXPECT_EQ(store->Title(), QString());

    struct Case {
        double millimetres;
        const char* stored;
        double read;
    };
    const Case cases[] = { { 210, "210.0000", 210 }, { 215.9, "215.9000", 215.9 }, { -5, "-1.0000", -1 },
        { 0, "0.0000", 0 } };
    for (const Case& c : cases) {
        store->SetPaperWidth(c.millimetres);
        EXPECT_EQ(store->Macros().Value(u"PaperWidth"), QLatin1StringView(c.stored)) << c.millimetres;
        EXPECT_DOUBLE_EQ(store->PaperWidth(), c.read) << c.millimetres;
    }
    store->Macros().SetValue(QStringLiteral("PaperWidth"), QStringLiteral("abc"));
    EXPECT_EQ(store->PaperWidth(), 0.0) << "unparsable width";
    store->Macros().SetValue(QStringLiteral("paperheight"), QStringLiteral("-20"));
    EXPECT_EQ(store->PaperHeight(), -1.0) << "negative height, name in other case";

    store->SetOrientation(TRLPageOrientation::poLandscape);
    store->SetFirstPageNumber(1);
    store->SetLastPageNumber(3);
    store->SetTitle(QStringLiteral("Ordem"));
    store->SetWidth(794);
    store->SetHeight(1123);
    EXPECT_EQ(store->Macros().Strings(),
        (QStringList { QStringLiteral("PaperWidth=abc"), QStringLiteral("paperheight=-20"),
            QStringLiteral("Orientation=2"), QStringLiteral("FirstPageNumber=1"),
            QStringLiteral("LastPageNumber=3"), QStringLiteral("Title=Ordem"), QStringLiteral("Width=794"),
            QStringLiteral("Height=1123") }));
}

TEST(Storage, OrientedSizesFollowTheOrientation)
{
    const auto store = StoreOf(0);
    store->SetPaperWidth(210);
    store->SetPaperHeight(297);
    struct Case {
        const char* macro;
        TRLPageOrientation orientation;
        double width;
        double height;
        int pixelWidth;
        int pixelHeight;
    };
    // A4 portrait is 794 x 1123 dots. A value other than 1 or 2 comes from a damaged or foreign
    // page file; the store, the spool filter and the preview all read it as portrait.
    const Case cases[] = { { "1", TRLPageOrientation::poPortrait, 210, 297, 794, 1123 },
        { "2", TRLPageOrientation::poLandscape, 297, 210, 1123, 794 },
        { "3", TRLPageOrientation::poPortrait, 210, 297, 794, 1123 },
        { "x", TRLPageOrientation::poPortrait, 210, 297, 794, 1123 } };
    for (const Case& c : cases) {
        store->Macros().SetValue(QStringLiteral("Orientation"), QString::fromLatin1(c.macro));
        EXPECT_EQ(store->Orientation(), c.orientation) << c.macro;
        EXPECT_EQ(store->OrientedWidth(), c.width) << c.macro;
        EXPECT_EQ(store->OrientedHeight(), c.height) << c.macro;
        EXPECT_EQ(store->OrientedPixelWidth(), c.pixelWidth) << c.macro;
        EXPECT_EQ(store->OrientedPixelHeight(), c.pixelHeight) << c.macro;
    }
    store->SetPaperWidth(-3);
    store->SetOrientation(TRLPageOrientation::poPortrait);
    EXPECT_EQ(store->OrientedPixelWidth(), -1);
}

TEST(Storage, ClearEmptiesFileIndexCacheAndMacros)
{
    const auto store = StoreOf(3);
    store->SetTitle(QStringLiteral("x"));
    store->Clear();
    EXPECT_EQ(store->PageCount(), 0);
    EXPECT_TRUE(store->CachedPageIndexes().empty());
    EXPECT_TRUE(store->Macros().IsEmpty());
    EXPECT_EQ(QFileInfo(store->TempFileName()).size(), 0);
    store->Add(NumberedPage(42));
    EXPECT_EQ(NumberOf(store->Pages(0)), 42);
}

TEST(Storage, TemporaryFileIsRegisteredAndRemovedWithTheStore)
{
    auto store = StoreOf(1);
    const QString name = store->TempFileName();
    EXPECT_TRUE(QFileInfo::exists(name));
    EXPECT_TRUE(RegisteredTempFiles().contains(name));
    store.reset();
    EXPECT_FALSE(QFileInfo::exists(name));
    EXPECT_FALSE(RegisteredTempFiles().contains(name));
}

// The temporary file is used through the descriptor that created it: once its name leads
// elsewhere, later pages still go into it and read back from it, and the link's target is untouched.
TEST(Storage, TemporaryFileReplacedByALinkKeepsItsPages)
{
    auto store = StoreOf(1);
    const QString name = store->TempFileName();
    const QString victim = name + u".victim"_s;
    QFile planted(victim);
    ASSERT_TRUE(planted.open(QIODevice::WriteOnly) && planted.write("victim") == 6);
    planted.close();
    ASSERT_TRUE(QFile::remove(name));
    ASSERT_TRUE(QFile::link(victim, name));
    constexpr int kPages = 12;
    for (int i = 1; i < kPages; ++i)
        store->Add(NumberedPage(i));
    for (int i = 0; i < kPages; ++i)
        EXPECT_EQ(NumberOf(store->Pages(i)), i) << "page " << i;
    QByteArray saved;
    QBuffer buffer(&saved);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    store->SaveToStream(buffer);
    TRLGraphicStorage again;
    buffer.close();
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    again.LoadFromStream(buffer, u"saved"_s);
    EXPECT_EQ(again.PageCount(), kPages);
    EXPECT_EQ(NumberOf(again.Pages(kPages - 1)), kPages - 1);
    ASSERT_TRUE(planted.open(QIODevice::ReadOnly));
    EXPECT_EQ(planted.readAll(), QByteArray("victim"));
    planted.close();
    store.reset();
    EXPECT_TRUE(QFile::remove(victim));
}

TEST(Storage, OwnerlessStoreFreesItselfWhenTheLastUserUnlinks)
{
    UseTestTempDir();
    TWatcher watcher;
    TComponent first(nullptr);
    TComponent second(nullptr);
    auto* store = new TRLGraphicStorage();
    store->FreeNotification(&watcher);
    store->Link(&first);
    store->Link(&second);
    store->Link(&second);
    EXPECT_EQ(store->UserCount(), 2);
    store->Unlink(&first);
    EXPECT_FALSE(watcher.Gone);
    store->Unlink(&second);
    EXPECT_TRUE(watcher.Gone);
}

TEST(Storage, DestroyedUserActsAsUnlink)
{
    UseTestTempDir();
    TWatcher watcher;
    auto* store = new TRLGraphicStorage();
    store->FreeNotification(&watcher);
    {
        TComponent user(nullptr);
        store->Link(&user);
    }
    EXPECT_TRUE(watcher.Gone);
}

TEST(Storage, OwnedStoreStaysAndIgnoresItsOwnerAsUser)
{
    UseTestTempDir();
    TComponent owner(nullptr);
    TWatcher watcher;
    auto* store = new TRLGraphicStorage(&owner);
    store->FreeNotification(&watcher);
    store->Link(&owner);
    EXPECT_EQ(store->UserCount(), 0);
    TComponent user(nullptr);
    store->Link(&user);
    store->Unlink(&user);
    EXPECT_FALSE(watcher.Gone);
}

TEST(Storage, PageLeavesTheCacheWhenDeletedOrAttachedElsewhere)
{
    const auto store = StoreOf(3);
    TRLGraphicSurface* page = store->Pages(1);
    page->SetStorage(nullptr);
    EXPECT_EQ(store->CachedPageIndexes(), (std::vector<int> { 0, 2 }));
    delete page;
    delete store->Pages(2);
    EXPECT_EQ(store->CachedPageIndexes(), (std::vector<int> { 0 }));
    EXPECT_EQ(NumberOf(store->Pages(2)), 2);
}

TEST(Storage, PageCopyBelongsToTheCallerAndLeavesTheCacheAlone)
{
    const auto store = StoreOf(7);
    const std::vector<int> cache = store->CachedPageIndexes();
    const std::unique_ptr<TRLGraphicSurface> copy = store->PageCopy(0);
    EXPECT_EQ(NumberOf(copy.get()), 0);
    EXPECT_EQ(store->CachedPageIndexes(), cache);
    EXPECT_EQ(store->PageCopy(7), nullptr);
}

// Copies of pages 3 and 1 of one store become pages 1 and 2 of another, which keeps its own first.
TEST(Storage, PageCopiedFromAnotherStoreIsAddedAfterTheLast)
{
    const auto source = StoreOf(4);
    const auto target = StoreOf(1);
    target->Add(source->PageCopy(3));
    target->Add(source->PageCopy(1));
    ASSERT_EQ(target->PageCount(), 3);
    EXPECT_EQ(NumberOf(target->Pages(0)), 0);
    EXPECT_EQ(NumberOf(target->Pages(1)), 3);
    EXPECT_EQ(NumberOf(target->Pages(2)), 1);
    EXPECT_EQ(source->PageCount(), 4);
    EXPECT_EQ(NumberOf(source->Pages(3)), 3);
}

TEST(Storage, PageCopySeesChangesToACachedPage)
{
    const auto store = StoreOf(2);
    store->Pages(1)->FillRect({ 7, 7, 8, 8 });
    const std::unique_ptr<TRLGraphicSurface> copy = store->PageCopy(1);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->ObjectCount(), 2);
}

TEST(Storage, BackgroundReaderWithCopiesBesideAForegroundReader)
{
    const auto store = StoreOf(12);
    std::atomic<int> wrong { 0 };
    std::thread background([&] {
        for (int round = 0; round < 20; ++round) {
            for (int i = 0; i < 12; ++i) {
                const std::unique_ptr<TRLGraphicSurface> copy = store->PageCopy(i);
                if (NumberOf(copy.get()) != i)
                    ++wrong;
            }
        }
    });
    int foregroundWrong = 0;
    for (int round = 0; round < 20; ++round) {
        for (int i = 11; i >= 0; --i) {
            if (NumberOf(store->Pages(i)) != i)
                ++foregroundWrong;
        }
    }
    background.join();
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_EQ(foregroundWrong, 0);
}

} // namespace
