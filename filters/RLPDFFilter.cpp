#include "filters/RLPDFFilter.h"

#include "filters/RLPDFTextString.h"
#include "filters/RLPDFWriter.h"
#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "platform/Exceptions.h"
#include "support/Clock.h"
#include "support/LocaleTexts.h"
#include "support/OutputFiles.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

using enum TRLPDFFilterFontEncoding;
using enum TRLPDFFilterPageLayout;
using enum TRLPDFFilterPageMode;
using enum TRLPDFFilterViewerOption;

namespace {

constexpr QByteArrayView kHeader { "%PDF-1.2" };
constexpr QByteArrayView kPortableHeader { "%PDF-1.4" };
/// A comment of bytes above 127 right after the header tells transfer programs that the file
/// holds binary data (the compressed streams).
constexpr QByteArrayView kBinaryMarker { "%\xE2\xE3\xCF\xD3" };
constexpr quint16 kDefaultPointSize = 10;
constexpr double kLeadingPerPoint = 14.5 / 12;
constexpr quint16 kMaxColumns = 8;
constexpr quint16 kMaxRows = 4;

[[noreturn]] void RaiseCannotCreate(const QString& fileName, const QString& reason)
{
    // The reason follows a full stop here: a sentence of its own.
    QString sentence = reason;
    if (!sentence.isEmpty()) {
        sentence[0] = sentence[0].toUpper();
        if (!sentence.endsWith(QLatin1Char('.')))
            sentence += QLatin1Char('.');
    }
    throw EReportError(
        QCoreApplication::translate("TRLPDFFilter", "Cannot create file \"%1\". %2").arg(fileName, sentence));
}

QByteArray MediaBox(int width, int height)
{
    return "/MediaBox [ 0 0 " + PdfPoints(width) + ' ' + PdfPoints(height) + " ]";
}

}

const TRLPDFFilterDocumentInfo& DefaultPDFDocumentInfo()
{
    static const TRLPDFFilterDocumentInfo info = [] {
        TRLPDFFilterDocumentInfo defaults;
        defaults.Creator = QStringLiteral("QuirelReport v0.6 - band-oriented reports on Qt");
        return defaults;
    }();
    return info;
}

TRLPDFFilter::TRLPDFFilter(TComponent* owner)
    : TRLCustomSaveFilter(owner)
    , m_documentInfo(DefaultPDFDocumentInfo())
{
    SetDefaultExt(QStringLiteral(".pdf"));
    SetDisplayName(LocaleText(TLocaleTextId::PdfDocument));
    DeriveGrid();
}

TRLPDFFilter::~TRLPDFFilter()
{
    WaitForRun();
    CloseFile(false);
}

QString TRLPDFFilter::ClassName() const
{
    return QStringLiteral("TRLPDFFilter");
}

void TRLPDFFilter::SetDocumentInfo(const TRLPDFFilterDocumentInfo* info)
{
    m_documentInfo = info ? *info : TRLPDFFilterDocumentInfo {};
}

void TRLPDFFilter::DeriveGrid()
{
    m_gridFontPointSize = PageSetup.FontPointSize == 0 ? kDefaultPointSize : PageSetup.FontPointSize;
    m_gridLeadingPointSize = quint16(std::lround(m_gridFontPointSize * kLeadingPerPoint));
    m_gridColumnCount = std::clamp<quint16>(PageSetup.ColumnCount, 1, kMaxColumns);
    m_gridRowCount = std::clamp<quint16>(PageSetup.RowCount, 1, kMaxRows);
}

void TRLPDFFilter::InternalBeginDoc()
{
    CloseFile(false);
    ViewerOptions = voRegular;
    PageMode = pmRegular;
    FullPageMode = pmRegular;
    PageLayout = plRegular;
    FontEncoding = feWinAnsiEncoding;
    ForceASCII = false;
    m_portable = Portable;
    m_fonts.Clear();
    m_images.Clear();
    m_images.Filter = m_portable ? TRLStreamFilter::Flate : TRLStreamFilter::None;
    m_pageObjects.clear();
    const TRLGraphicStorage* pages = Pages();
    m_pageWidth = pages ? pages->OrientedPixelWidth() : 0;
    m_pageHeight = pages ? pages->OrientedPixelHeight() : 0;

    if (FileName.isEmpty())
        RaiseCannotCreate(FileName, QCoreApplication::translate("TRLPDFFilter", "No file name was given."));
    auto file = std::make_unique<TOutputFile>(FileName);
    if (QString reason; !file->Open(reason))
        RaiseCannotCreate(FileName, reason);
    m_file = std::move(file);
    m_writer = std::make_unique<TRLPDFWriter>(m_file->Device(), FileName);
    WriteHeader();
    WriteInfo();
    WriteCatalog();
    m_resourcesObject = m_writer->ReserveObject();
}

void TRLPDFFilter::WriteHeader()
{
    if (!m_portable) {
        m_writer->WriteLine(kHeader);
        return;
    }
    m_writer->WriteLine(kPortableHeader);
    m_writer->WriteLine(kBinaryMarker);
}

void TRLPDFFilter::WriteInfo()
{
    struct TEntry {
        QByteArrayView key;
        const QString& value;
    };
    // A report's own title names the document when the filter was given none.
    const TRLGraphicStorage* pages = Pages();
    const QString title = m_documentInfo.Title.isEmpty() && pages ? pages->Title() : m_documentInfo.Title;
    const TEntry entries[] = {
        { "/Title(", title },
        { "/Subject(", m_documentInfo.Subject },
        { "/Author(", m_documentInfo.Author },
        { "/Keywords(", m_documentInfo.KeyWords },
        { "/Creator(", m_documentInfo.Creator },
        { "/Producer(", m_documentInfo.Producer },
    };
    m_infoObject = m_writer->BeginDictionary();
    m_writer->WriteLine(
        "/CreationDate(D:" + Now().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + ')');
    for (const TEntry& entry : entries) {
        // Text strings, read by viewers in PDFDocEncoding or UTF-16BE and never as Windows-1252;
        // escaped, because an unbalanced parenthesis or a backslash in a title would otherwise
        // end the string early and corrupt the file.
        if (!entry.value.isEmpty())
            m_writer->WriteLine(
                entry.key.toByteArray() + PdfEscapedBytes(PdfTextStringBytes(entry.value)) + ')');
    }
    m_writer->EndDictionary();
}

void TRLPDFFilter::WriteCatalog()
{
    m_catalogObject = m_writer->BeginDictionary();
    m_pageTreeObject = m_writer->ReserveObject();
    m_writer->WriteLine("/Type/Catalog");
    m_writer->WriteLine("/Pages " + TRLPDFWriter::Reference(m_pageTreeObject));
    if (m_portable)
        m_writer->WriteLine("/Lang(" + PdfEscapedBytes(DocumentLanguage()) + ')');
    m_writer->EndDictionary();
}

QByteArray TRLPDFFilter::DocumentLanguage() const
{
    if (!Language.isEmpty())
        return Language.toLatin1();
    switch (LanguageFromEnvironment()) {
    case TLanguage::Portuguese:
        return "pt";
    case TLanguage::French:
        return "fr";
    case TLanguage::Spanish:
        return "es";
    case TLanguage::English:
        break;
    }
    return "en";
}

void TRLPDFFilter::InternalNewPage()
{
}

void TRLPDFFilter::InternalDrawPage(TRLGraphicSurface& page)
{
    if (!m_writer)
        return;
    std::vector<int> imageNumbers;
    for (int i = 0; i < page.ObjectCount(); ++i) {
        const TRLGraphicObject& object = *page.Objects(i);
        if (object.Kind() == TRLObjectKind::Image)
            imageNumbers.push_back(
                m_images.ImageFor(static_cast<const TRLImageObject&>(object).Data, *m_writer));
    }

    const int pageObject = m_writer->BeginDictionary();
    m_pageObjects.push_back(pageObject);
    m_writer->WriteLine("/Type/Page");
    m_writer->WriteLine("/Parent " + TRLPDFWriter::Reference(m_pageTreeObject));
    m_writer->WriteLine("/Resources " + TRLPDFWriter::Reference(m_resourcesObject));
    m_writer->WriteLine(MediaBox(page.Width, page.Height));
    const int contents = m_writer->ReserveObject();
    m_writer->WriteLine("/Contents " + TRLPDFWriter::Reference(contents));
    m_writer->EndDictionary();

    const int length = m_writer->ReserveObject();
    m_writer->BeginDictionary(contents);
    m_writer->WriteLine("/Length " + TRLPDFWriter::Reference(length));
    m_writer->BeginStream(m_portable ? TRLStreamFilter::Flate : TRLStreamFilter::None);
    TRLPDFPageContent content(*m_writer, m_fonts, m_pageHeight, std::move(imageNumbers));
    for (int i = 0; i < page.ObjectCount(); ++i)
        content.WriteObject(*page.Objects(i));
    m_writer->EndStream(length);
}

void TRLPDFFilter::InternalEndDoc()
{
    if (!m_writer)
        return;
    if (RunFailed()) {
        CloseFile(false);
        return;
    }
    try {
        if (m_portable)
            m_fonts.WriteEmbeddedFonts(*m_writer);
        else
            m_fonts.WriteFonts(*m_writer);
        WriteResources();
        WritePageTree();
        m_writer->WriteTrailer(m_catalogObject, m_infoObject);
    } catch (...) {
        CloseFile(false);
        throw;
    }
    CloseFile(true);
}

void TRLPDFFilter::WriteResources()
{
    m_writer->BeginDictionary(m_resourcesObject);
    m_writer->WriteLine("/ProcSet [ /PDF/Text/ImageB ]");
    m_writer->WriteLine("/Font <<");
    for (int k = 1; k <= m_fonts.Count(); ++k)
        m_writer->WriteLine(
            "/F" + QByteArray::number(k) + ' ' + TRLPDFWriter::Reference(m_fonts.ObjectNumber(k)));
    m_writer->WriteLine(">>");
    m_writer->WriteLine("/XObject <<");
    for (int k = 1; k <= m_images.Count(); ++k)
        m_writer->WriteLine(
            "/Image" + QByteArray::number(k) + ' ' + TRLPDFWriter::Reference(m_images.ObjectNumber(k)));
    m_writer->WriteLine(">>");
    m_writer->EndDictionary();
}

void TRLPDFFilter::WritePageTree()
{
    m_writer->BeginDictionary(m_pageTreeObject);
    m_writer->WriteLine("/Type/Pages");
    m_writer->WriteLine("/Count " + QByteArray::number(qsizetype(m_pageObjects.size())));
    m_writer->WriteLine(MediaBox(m_pageWidth, m_pageHeight));
    QByteArray kids = "/Kids [ ";
    for (const int page : m_pageObjects)
        kids += TRLPDFWriter::Reference(page) + ' ';
    kids += ']';
    m_writer->WriteLine(kids);
    m_writer->EndDictionary();
}

void TRLPDFFilter::CloseFile(bool keep)
{
    m_writer.reset();
    if (!m_file)
        return;
    const std::unique_ptr<TOutputFile> file = std::move(m_file);
    if (!keep) {
        file->Discard();
        return;
    }
    QString reason;
    if (!file->Commit(reason))
        RaiseCannotCreate(file->FileName(), reason);
}
