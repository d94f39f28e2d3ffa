#pragma once

#include <QString>

/// The print settings every sheet of the workbook carries. Margins are in centimetres. The .xlsx
/// output leaves out Copies, BlackAndWhite, Draft, PrintNotes, HeaderMargin and FooterMargin.
class TRLXLSPageSetup {
public:
    /// The paper code the sheets ask for (A4).
    static constexpr int kPaperSize = 9;

    /// Copies the spreadsheet program prints.
    int Copies = 1;
    /// Percent; the spreadsheet ignores it while a FitToPages setting is on.
    int Zoom = 100;
    /// Print options stored in each sheet for the spreadsheet program.
    ///@{
    bool CenterHorizontally = false;
    bool CenterVertically = false;
    bool BlackAndWhite = false;
    bool Draft = false;
    bool PrintNotes = false;
    bool PrintGridLines = false;
    ///@}
    /// Centimetres.
    ///@{
    double LeftMargin = 2.0;
    double RightMargin = 2.0;
    double TopMargin = 2.5;
    double BottomMargin = 2.5;
    ///@}
    /// The number the spreadsheet gives the sheet's first printed page.
    int FirstPageNumber = 1;
    /// Scale each sheet to one page tall, or wide, when printed.
    ///@{
    bool FitToPagesTall = true;
    bool FitToPagesWide = true;
    ///@}
    /// Header and footer texts in the spreadsheet's header codes ("&P" the page number...).
    ///@{
    QString LeftHeader;
    QString CenterHeader;
    QString RightHeader;
    QString LeftFooter;
    QString CenterFooter;
    QString RightFooter;
    ///@}
    /// Centimetres from the paper's edge to the header and to the footer.
    ///@{
    double HeaderMargin = 0;
    double FooterMargin = 0;
    ///@}

    /// Always kPaperSize.
    int PaperSize() const { return kPaperSize; }
    /// Never set by this system; kept for the records that carry them.
    ///@{
    bool PrintHeadings() const { return false; }
    bool OrderAcross() const { return false; }
    bool Landscape() const { return false; }
    ///@}

    /// Whether a layout writer stores a margin: only when it differs from its default.
    ///@{
    bool LeftMarginStored() const;
    bool RightMarginStored() const;
    bool TopMarginStored() const;
    bool BottomMarginStored() const;
    ///@}

    /// "&L" left, "&C" center, "&R" right, each part only when its text is not empty.
    ///@{
    QString HeaderText() const;
    QString FooterText() const;
    ///@}

    /// @cond ENGINE
    bool operator==(const TRLXLSPageSetup&) const = default;
    /// @endcond
};
