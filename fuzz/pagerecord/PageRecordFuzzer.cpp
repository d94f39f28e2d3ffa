// Feeds arbitrary bytes to the page-record reader: it must fail with an error or read a page
// that writes back and reads again to the same bytes.
#include "pages/RLByteReader.h"
#include "pages/RLByteWriter.h"
#include "pages/RLGraphicSurface.h"
#include "platform/Exceptions.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

namespace {

QByteArray Save(const TRLGraphicSurface& page)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TRLByteWriter out(buffer, QStringLiteral("fuzz"));
    page.SaveToStream(out);
    return bytes;
}

void Load(TRLGraphicSurface& page, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TRLByteReader in(buffer, QStringLiteral("fuzz"));
    page.LoadFromStream(in);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    TRLGraphicSurface page;
    try {
        Load(page, input);
    } catch (const EReportError&) {
        return 0;
    }
    // What was read must survive a round trip unchanged.
    const QByteArray written = Save(page);
    TRLGraphicSurface again;
    Load(again, written);
    if (Save(again) != written)
        std::abort();
    for (int i = 0; i < page.ObjectCount(); ++i) {
        if (page.Objects(i)->Kind() == TRLObjectKind::Text)
            (void)static_cast<const TRLTextObject*>(page.Objects(i))->DisplayText();
    }
    return 0;
}
