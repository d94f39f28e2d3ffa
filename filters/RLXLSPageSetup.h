#pragma once

#include <QString>

/// The print settings every sheet of the workbook carries. Margins are in centimetres.
class TRLXLSPageSetup {
public:
    /// The paper code the sheets ask for (A4).
    static constexpr int kPaperSize = 9;

    int Copies = 1;
    /// Percent.
    int Zoom = 100;
    bool CenterHorizontally = false;
    bool CenterVertically = false;
    bool BlackAndWhite = false;
    bool Draft = false;
    bool PrintNotes = false;
    bool PrintGridLines = false;
    double LeftMargin = 2.0;
    double RightMargin = 2.0;
    double TopMargin = 2.5;
    double BottomMargin = 2.5;
    int FirstPageNumber = 1;
    bool FitToPagesTall = true;
    bool FitToPagesWide = true;
    QString LeftHeader;
    QString CenterHeader;
    QString RightHeader;
    QString LeftFooter;
    QString CenterFooter;
    QString RightFooter;
    double HeaderMargin = 0;
    double FooterMargin = 0;

    int PaperSize() const { return kPaperSize; }
    /// Never set by this system; kept for the records that carry them.
    bool PrintHeadings() const { return false; }
    bool OrderAcross() const { return false; }
    bool Landscape() const { return false; }

    /// Whether a layout writer stores a margin: only when it differs from its default.
    bool LeftMarginStored() const;
    bool RightMarginStored() const;
    bool TopMarginStored() const;
    bool BottomMarginStored() const;

    /// "&L" left, "&C" center, "&R" right, each part only when its text is not empty.
    QString HeaderText() const;
    QString FooterText() const;

    bool operator==(const TRLXLSPageSetup&) const = default;
};
