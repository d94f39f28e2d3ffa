#pragma once

#include "filters/RLFilters.h"
#include "filters/RLPDFContent.h"
#include "filters/RLPDFFonts.h"
#include "filters/RLPDFImages.h"

#include <QFlags>
#include <QString>
#include <QtGlobal>
#include <memory>

class TOutputFile;
class TRLPDFWriter;

/// The texts of the information dictionary; empty ones are left out, but an empty Title takes
/// the title of the pages' report.
struct TRLPDFFilterDocumentInfo {
    /// The entries of the same names, as PDF readers show them under the document's properties.
    ///@{
    QString Title;
    QString Subject;
    QString Author;
    QString KeyWords;
    QString Creator;
    QString Producer;
    ///@}

    /// Every text equal.
    bool operator==(const TRLPDFFilterDocumentInfo&) const = default;
};

/// What a new filter copies: every text empty but Creator.
const TRLPDFFilterDocumentInfo& DefaultPDFDocumentInfo();

/// Viewer options stored for the layout files (they never reach the file).
enum class TRLPDFFilterViewerOption : quint8 {
    voRegular = 0x01,
    voHideToolBar = 0x02,
    voHideMenuBar = 0x04,
    voHideWindowUI = 0x08,
    voFitWindow = 0x10,
    voCenterWindow = 0x20,
};
Q_DECLARE_FLAGS(TRLPDFFilterViewerOptions, TRLPDFFilterViewerOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TRLPDFFilterViewerOptions)
/// Stored for the layout files.
enum class TRLPDFFilterPageMode : quint8 { pmRegular, pmOutlines, pmThumbs, pmFullScreen };
/// Stored for the layout files.
enum class TRLPDFFilterPageLayout : quint8 {
    plRegular,
    plSinglePage,
    plOneColumn,
    plTwoColumnLeft,
    plTwoColumnRight
};
/// Stored for the layout files; the page texts are always /WinAnsiEncoding.
enum class TRLPDFFilterFontEncoding : quint8 { feNoEncoding, feMacRomanEncoding, feWinAnsiEncoding };
/// Stored for the layout files.
enum class TRLPDFFilterColumnBorder : quint8 { cbRegular, cbSplitter, cbBorder };
/// Stored for the layout files.
enum class TRLPDFFilterDashPattern : quint8 { dpRegular, dpSolid, dp33, dp1222, dp2121, dp23535, dp13232 };

/// Plain-text layout settings kept for the layout files; they do not shape the PDF.
struct TRLPDFFilterTextControl {
    /// Stored only.
    ///@{
    bool FormFeed = true;
    bool WordWrap = false;
    qint32 TabSize = 8;
    ///@}
};

/// Column grid settings kept for the layout files; they do not shape the PDF.
struct TRLPDFFilterPageSetup {
    /// Stored only.
    ///@{
    bool LandScape = false;
    bool PageBorder = false;
    TRLPDFFilterColumnBorder ColumnBorder = TRLPDFFilterColumnBorder::cbRegular;
    TRLPDFFilterDashPattern BorderDashPattern = TRLPDFFilterDashPattern::dpRegular;
    quint16 ColumnCount = 1;
    quint16 RowCount = 1;
    quint16 FontPointSize = 0;
    quint16 ColumnFontPointSize = 0;
    quint16 LeadingPointSize = 0;
    quint16 ColumnLeadingPointSize = 0;
    quint16 CharCount = 0;
    ///@}
};

/// Writes the pages into a PDF 1.2 file, uncompressed (or, Portable, the file described there): each distinct
/// picture once as an image object, the fourteen standard fonts by name and every other face as a TrueType
/// font with measured widths. Page texts are Windows-1252 under /WinAnsiEncoding; the information texts are
/// PDFDocEncoding or UTF-16BE, as viewers read them. The file is written beside its final name and replaces
/// it only when the document is complete; a failed run leaves the previous file as it was.
class TRLPDFFilter : public TRLCustomSaveFilter {
public:
    /// Without a FileName, DefaultExt ".pdf", the default document information; deleted by
    /// `owner`. Set FileName, then FilterPages.
    explicit TRLPDFFilter(TComponent* owner);
    ~TRLPDFFilter() override;
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// The information dictionary's texts, to read or to change before a run.
    ///@{
    const TRLPDFFilterDocumentInfo& DocumentInfo() const { return m_documentInfo; }
    TRLPDFFilterDocumentInfo& DocumentInfo() { return m_documentInfo; }
    ///@}
    /// Copies the six texts; nullptr clears them.
    void SetDocumentInfo(const TRLPDFFilterDocumentInfo* info);

    /// Viewer settings: InternalBeginDoc puts them back to their defaults, so they never reach
    /// the file.
    ///@{
    TRLPDFFilterViewerOptions ViewerOptions = TRLPDFFilterViewerOption::voRegular;
    TRLPDFFilterPageMode PageMode = TRLPDFFilterPageMode::pmRegular;
    TRLPDFFilterPageMode FullPageMode = TRLPDFFilterPageMode::pmRegular;
    TRLPDFFilterPageLayout PageLayout = TRLPDFFilterPageLayout::plRegular;
    TRLPDFFilterFontEncoding FontEncoding = TRLPDFFilterFontEncoding::feWinAnsiEncoding;
    bool ForceASCII = false;
    ///@}

    /// Writes the portable PDF rather than the exact one: PDF 1.4, every font embedded as a
    /// subset of the glyphs shown (found through fontconfig), content and image streams
    /// Flate-compressed, and the document's language in the catalog. The pages, texts and
    /// positions are those of the exact PDF.
    bool Portable = false;
    /// The document's language for the portable PDF, a BCP 47 tag such as "pt-BR"; empty takes
    /// the language of the library's texts, chosen by the user's locale.
    QString Language;

    /// Stored for the layout files; they do not shape the PDF.
    ///@{
    TRLPDFFilterTextControl TextControl;
    TRLPDFFilterPageSetup PageSetup;
    ///@}
    /// Derived from PageSetup when the filter is created; points or counts.
    ///@{
    quint16 GridFontPointSize() const { return m_gridFontPointSize; }
    quint16 GridLeadingPointSize() const { return m_gridLeadingPointSize; }
    quint16 GridColumnCount() const { return m_gridColumnCount; }
    quint16 GridRowCount() const { return m_gridRowCount; }
    ///@}

protected:
    /// @cond ENGINE
    void InternalBeginDoc() override;
    void InternalEndDoc() override;
    void InternalNewPage() override;
    void InternalDrawPage(TRLGraphicSurface& page) override;
    /// @endcond

private:
    void WriteHeader();
    void WriteInfo();
    void WriteCatalog();
    QByteArray DocumentLanguage() const;
    void WriteResources();
    void WritePageTree();
    void DeriveGrid();
    void CloseFile(bool keep);

    TRLPDFFilterDocumentInfo m_documentInfo;
    quint16 m_gridFontPointSize = 0;
    quint16 m_gridLeadingPointSize = 0;
    quint16 m_gridColumnCount = 1;
    quint16 m_gridRowCount = 1;

    std::unique_ptr<TOutputFile> m_file;
    std::unique_ptr<TRLPDFWriter> m_writer;
    TRLPDFFontTable m_fonts;
    TRLPDFImageList m_images;
    std::vector<int> m_pageObjects;
    int m_infoObject = 0;
    int m_catalogObject = 0;
    int m_pageTreeObject = 0;
    int m_resourcesObject = 0;
    int m_pageWidth = 0;
    int m_pageHeight = 0;
    /// Portable, fixed for the document at its start.
    bool m_portable = false;
};
