#include "filters/RLPDFFontSubset.h"

#include "platform/Exceptions.h"
#include "platform/FontFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <hb-ot.h>
#include <hb-subset.h>
#include <hb.h>
#include <memory>
#include <new>

namespace {

struct TBlobDeleter {
    void operator()(hb_blob_t* blob) const { hb_blob_destroy(blob); }
};
struct TFaceDeleter {
    void operator()(hb_face_t* face) const { hb_face_destroy(face); }
};
struct TInputDeleter {
    void operator()(hb_subset_input_t* input) const { hb_subset_input_destroy(input); }
};
using TBlob = std::unique_ptr<hb_blob_t, TBlobDeleter>;
using TFace = std::unique_ptr<hb_face_t, TFaceDeleter>;
using TInput = std::unique_ptr<hb_subset_input_t, TInputDeleter>;

constexpr hb_tag_t kGlyfTag = HB_TAG('g', 'l', 'y', 'f');
constexpr hb_tag_t kCffTag = HB_TAG('C', 'F', 'F', ' ');
/// Tables for text shaping, which a PDF reader never consults for a simple font.
constexpr hb_tag_t kLayoutTags[] = {
    HB_TAG('G', 'S', 'U', 'B'),
    HB_TAG('G', 'P', 'O', 'S'),
    HB_TAG('G', 'D', 'E', 'F'),
    HB_TAG('B', 'A', 'S', 'E'),
    HB_TAG('J', 'S', 'T', 'F'),
    HB_TAG('M', 'A', 'T', 'H'),
    HB_TAG('k', 'e', 'r', 'n'),
};
constexpr unsigned kMaxNameLength = 128;
constexpr char32_t kFirstGraphic = 0x20;

QByteArray BlobBytes(hb_blob_t* blob)
{
    unsigned length = 0;
    const char* data = hb_blob_get_data(blob, &length);
    return QByteArray(data, qsizetype(length));
}

bool HasTable(hb_face_t* face, hb_tag_t tag)
{
    const TBlob table(hb_face_reference_table(face, tag));
    return hb_blob_get_length(table.get()) > 0;
}

QByteArray PostScriptName(hb_face_t* face)
{
    char name[kMaxNameLength] = {};
    unsigned length = kMaxNameLength;
    hb_ot_name_get_utf8(face, HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID, &length, name);
    return QByteArray(name, qsizetype(length));
}

TInput SubsetInput(const QString& characters)
{
    TInput input(hb_subset_input_create_or_fail());
    if (!input)
        return input;
    hb_set_t* unicodes = hb_subset_input_unicode_set(input.get());
    for (const char32_t code : characters.toUcs4()) {
        if (code >= kFirstGraphic)
            hb_set_add(unicodes, code);
    }
    hb_set_t* dropped = hb_subset_input_set(input.get(), HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (const hb_tag_t tag : kLayoutTags)
        hb_set_add(dropped, tag);
    // Glyph names let a reader find a glyph by the name the encoding gives its code.
    hb_subset_input_set_flags(input.get(), HB_SUBSET_FLAGS_GLYPH_NAMES);
    return input;
}

/// The subset of one file; no Data when the file holds neither TrueType nor CFF outlines.
TRLFontSubset SubsetFile(const TFontFile& file, const hb_subset_input_t& input)
{
    TRLFontSubset subset;
    const TBlob blob(hb_blob_create_from_file_or_fail(QFile::encodeName(file.Path).constData()));
    if (!blob)
        return subset;
    const TFace face(hb_face_create(blob.get(), unsigned(file.FaceIndex)));
    if (hb_face_get_glyph_count(face.get()) == 0)
        return subset;
    const bool trueType = HasTable(face.get(), kGlyfTag);
    const bool cff = !trueType && HasTable(face.get(), kCffTag);
    if (!trueType && !cff)
        return subset;
    const TFace result(hb_subset_or_fail(face.get(), &input));
    if (!result)
        return subset;
    const TBlob bytes(
        cff ? hb_face_reference_table(result.get(), kCffTag) : hb_face_reference_blob(result.get()));
    subset.Data = BlobBytes(bytes.get());
    subset.Cff = cff;
    subset.PostScriptName = PostScriptName(face.get());
    subset.FilePath = file.Path;
    return subset;
}

} // namespace

TRLFontSubset SubsetInstalledFont(const QString& family, TFontStyles style, const QString& characters)
{
    const QList<TFontFile> files = FontFilesFor(family, style);
    if (files.isEmpty())
        throw EReportError(QCoreApplication::translate(
            "TRLPDFFilter", "Cannot embed the font \"%1\": fontconfig finds no font file for it")
                               .arg(family));
    const TInput input = SubsetInput(characters);
    if (!input)
        throw std::bad_alloc();
    for (const TFontFile& file : files) {
        TRLFontSubset subset = SubsetFile(file, *input);
        if (!subset.Data.isEmpty())
            return subset;
    }
    throw EReportError(QCoreApplication::translate(
        "TRLPDFFilter", "Cannot embed the font \"%1\": none of its files (%2) holds TrueType or CFF outlines")
                           .arg(family, files.constFirst().Path));
}
