#include "platform/FontFiles.h"

#include <fontconfig/fontconfig.h>
#include <memory>

namespace {

struct TPatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct TFontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
using TPattern = std::unique_ptr<FcPattern, TPatternDeleter>;
using TFontSet = std::unique_ptr<FcFontSet, TFontSetDeleter>;

QString StringOf(FcPattern* pattern, const char* object)
{
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(value));
}

} // namespace

QList<TFontFile> FontFilesFor(const QString& family, TFontStyles style, int limit)
{
    QList<TFontFile> files;
    if (!FcInit())
        return files;
    const TPattern pattern(FcPatternCreate());
    const QByteArray name = family.toUtf8();
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.constData()));
    FcPatternAddInteger(
        pattern.get(), FC_WEIGHT, style.testFlag(fsBold) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, style.testFlag(fsItalic) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    // Only outline fonts can be embedded or measured in thousandths of an em.
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const TFontSet sorted(FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
    if (!sorted)
        return files;
    for (int i = 0; i < sorted->nfont && files.size() < limit; ++i) {
        FcPattern* font = sorted->fonts[i];
        TFontFile file;
        file.Path = StringOf(font, FC_FILE);
        int index = 0;
        if (FcPatternGetInteger(font, FC_INDEX, 0, &index) == FcResultMatch)
            file.FaceIndex = index;
        file.Format = StringOf(font, FC_FONTFORMAT);
        if (!file.Path.isEmpty() && !files.contains(file))
            files.append(file);
    }
    return files;
}
