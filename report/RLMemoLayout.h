#pragma once

#include "platform/Graphics.h"
#include "platform/Rect.h"
#include "report/RLTypes.h"

#include <QFontMetrics>
#include <QHash>
#include <QString>
#include <QStringView>
#include <climits>

class TRLGraphicSurface;

/// A wrap width without a limit (a memo that does not wrap).
constexpr int kUnboundedWidth = INT_MAX;

/// Widths and heights of text in one font at 96 dpi, the same on a page surface and on the
/// measuring canvas; single-character widths are remembered.
class TRLLineMeasurer {
public:
    explicit TRLLineMeasurer(const TFont& font);
    /// The width of the character at `index`, a surrogate pair counting as one.
    int CharWidth(QStringView text, qsizetype index);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;

private:
    QFontMetrics m_metrics;
    QHash<char32_t, int> m_charWidths;
};

struct TRLWrappedLine {
    QString Text;
    /// Where the next line starts, from 0.
    qsizetype Next = 0;
    /// Broken at a blank because the next word did not fit (not at a line end).
    bool Wrapped = false;
    /// Sum of single-character widths up to the break, tabs as eight blanks.
    qint64 Width = 0;
};

/// One line of `text` from `position` (from 0), broken before the word that makes it wider than
/// `maxWidth`. Only carriage returns end lines (a CR LF pair counts as one); a lone line feed is
/// part of a word. A word wider than the line stays whole; blanks after a wrap are skipped.
TRLWrappedLine WrapLine(QStringView text, qsizetype position, int maxWidth, TRLLineMeasurer& measurer);

struct TRLLinesExtent {
    qint64 Widest = 0;
    qint64 Height = 0;
};

/// Lays `text` out line by line from the top of `rect`, one height of "A" per line, while the
/// next line starts above `maxHeight`; with `surface` each line becomes a text object (keep
/// whole, not clipped) on it. A justified line that ends a paragraph is drawn left-aligned.
TRLLinesExtent LayoutLines(QStringView text, TRLLineMeasurer& measurer, TRLTextAlignment alignment,
    const TRect& rect, qint64 maxHeight, int wrapWidth, TRLGraphicSurface* surface = nullptr);

/// LayoutLines on the measuring canvas: left-aligned, unlimited height, wrapped at `width`.
TRLLinesExtent MeasureLines(QStringView text, const TFont& font, int width);
