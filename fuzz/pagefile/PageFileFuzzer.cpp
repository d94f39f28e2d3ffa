// Feeds arbitrary bytes to the page-file reader (what --view opens): it must fail with an error
// and leave the store as it was, or read pages that save and load again to the same file.
#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "platform/Exceptions.h"
#include "support/Startup.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

namespace {

void Load(TRLGraphicStorage& storage, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    storage.LoadFromStream(buffer, QStringLiteral("fuzz.rpf"));
}

QByteArray Save(TRLGraphicStorage& storage)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    storage.SaveToStream(buffer);
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const TQuirelLibrary library;
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    TRLGraphicStorage storage;
    try {
        Load(storage, input);
    } catch (const EReportError&) {
        if (storage.PageCount() != 0)
            std::abort();
        return 0;
    }
    for (int i = 0; i < storage.PageCount(); ++i) {
        TRLGraphicSurface* page = storage.Pages(i);
        if (!page)
            std::abort();
        for (int j = 0; j < page->ObjectCount(); ++j) {
            if (page->Objects(j)->Kind() == TRLObjectKind::Text)
                (void)static_cast<const TRLTextObject*>(page->Objects(j))->DisplayText();
        }
    }
    (void)storage.OrientedPixelWidth();
    (void)storage.OrientedPixelHeight();
    // What was read must survive a round trip unchanged.
    const QByteArray written = Save(storage);
    TRLGraphicStorage again;
    Load(again, written);
    if (again.PageCount() != storage.PageCount() || Save(again) != written)
        std::abort();
    return 0;
}
