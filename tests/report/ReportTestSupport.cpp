#include "ReportTestSupport.h"

#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "support/LocaleTexts.h"

#include <gtest/gtest.h>

namespace {

/// Messages are compared in Portuguese, the application's language.
class PortugueseTexts : public testing::Environment {
public:
    void SetUp() override { SelectLanguage(TLanguage::Portuguese); }
};

[[maybe_unused]] testing::Environment* const g_portuguese
    = testing::AddGlobalTestEnvironment(new PortugueseTexts);

} // namespace

TTestText::TTestText(TComponent* owner)
    : TRLCustomControl(owner)
{
    SetBounds(0, 0, 50, 10);
}

QString TTestText::ClassName() const
{
    return QStringLiteral("TTestText");
}

QString TTestText::BuildText()
{
    return Text ? Text() : TRLCustomControl::BuildText();
}

void TTestText::DetailNotify(TRLCustomBand* band)
{
    TRLCustomControl::DetailNotify(band);
    ++DetailNotices;
}

void TTestText::ResetNotify()
{
    TRLCustomControl::ResetNotify();
    ++ResetNotices;
}

QSize TTestText::MeasureContent()
{
    if (!AutoSize())
        return QSize(Width(), Height());
    return QSize(NaturalWidth, NaturalHeight > 0 ? NaturalHeight : Height());
}

void TTestText::EmitToSurface()
{
    TRLCustomControl::EmitToSurface();
    const TRect rect = SurfaceBoundsRect();
    const quint16 flags = KeepWhole ? (kTextFlagNoClip | kTextFlagKeepWhole) : kTextFlagNoClip;
    RequireSurface()->TextOutEx(
        rect, rect.Left, rect.Top, Caption(), TRLMetaTextAlignment::Left, TRLMetaTextLayout::Top, flags);
}

QStringList PageTexts(TRLGraphicStorage& store, int page)
{
    QStringList texts;
    TRLGraphicSurface* surface = store.Pages(page);
    if (!surface)
        return texts;
    for (int i = 0; i < surface->ObjectCount(); ++i)
        if (auto* text = dynamic_cast<TRLTextObject*>(surface->Objects(i)))
            texts << QStringLiteral("%1@%2,%3")
                         .arg(text->DisplayText())
                         .arg(text->BoundsRect.Left)
                         .arg(text->BoundsRect.Top);
    return texts;
}

QStringList PageWords(TRLGraphicStorage& store, int page)
{
    QStringList words;
    TRLGraphicSurface* surface = store.Pages(page);
    if (!surface)
        return words;
    for (int i = 0; i < surface->ObjectCount(); ++i)
        if (auto* text = dynamic_cast<TRLTextObject*>(surface->Objects(i)))
            words << text->DisplayText();
    return words;
}

QString DumpPages(TRLGraphicStorage& store)
{
    QStringList pages;
    for (int page = 0; page < store.PageCount(); ++page)
        pages << PageWords(store, page).join(QLatin1Char(' '));
    return pages.join(QStringLiteral(" | "));
}
