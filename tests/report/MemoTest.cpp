#include "ControlTestSupport.h"
#include "tests/common/TestHelpers.h"

#include "report/RLBorders.h"
#include "report/RLDBMemo.h"
#include "report/RLLabel.h"
#include "report/RLMemoLayout.h"

#include <gtest/gtest.h>

using enum TRLBandType;
using enum TRLBorderSides;
using enum TRLTextAlignment;

using namespace Qt::StringLiterals;

namespace {

/// The sum of single-character widths that Qt gives for `text`.
int CharSum(const QString& text)
{
    int sum = 0;
    for (QChar c : text)
        sum += QtWidth(QString(c), TestFont());
    return sum;
}

QStringList AllLines(QStringView text, int maxWidth)
{
    TRLLineMeasurer measurer(TestFont());
    QStringList lines;
    for (qsizetype p = 0; p < text.size();)
        lines << WrapLine(
            text, std::exchange(p, WrapLine(text, p, maxWidth, measurer).Next), maxWidth, measurer)
                     .Text;
    return lines;
}

/// A memo on a detail band, its dataset holding one record whose OBS field is `text`.
struct MemoReport : ControlReport {
    explicit MemoReport(const QString& text)
    {
        data->Close();
        data->ClearRecords();
        data->AddField(u"OBS"_s, TFieldType::ftMemo);
        data->AppendRecord({ 1, u"x"_s, text });
        data->Open();
        band = AddDetailBand(157);
        memo = new TRLDBMemo(&form);
        memo->SetName(u"RLDBMemo1"_s);
        memo->SetParent(band);
        memo->SetFont(TestFont());
        memo->SetBounds(16, 99, 681, 13);
        memo->SetDataSource(source);
        memo->SetDataField(u"OBS"_s);
    }
    QStringList Lines(int page = 0)
    {
        QStringList lines;
        for (const TRLTextObject* text : TextObjects(page))
            lines << text->Text;
        return lines;
    }
    TRLBand* band = nullptr;
    TRLDBMemo* memo = nullptr;
};

} // namespace

TEST(MemoLayout, WrapLineCases)
{
    const int alphaBlank = CharSum(u"alpha "_s);
    struct Case {
        QString text;
        int maxWidth;
        QStringList lines;
        const char* what;
    };
    const Case cases[] = {
        { u"alpha beta"_s, alphaBlank, { u"alpha "_s, u"beta"_s }, "two words that do not fit together" },
        { u"alpha beta"_s, CharSum(u"alpha beta"_s), { u"alpha beta"_s }, "exactly the width fits" },
        { u"abcdefghijklmnop next"_s, 20, { u"abcdefghijklmnop"_s, u"next"_s }, "a long word stays whole" },
        { u"abcdefghijklmnop    next"_s, 20, { u"abcdefghijklmnop"_s, u"next"_s },
            "blanks after a wrap are dropped" },
        { u"alpha    beta"_s, alphaBlank, { u"alpha  "_s, u"beta"_s },
            "a blank past the width breaks; the blank that still fit stays" },
        { u"ab cd"_s, CharSum(u"ab c"_s), { u"ab "_s, u"cd"_s }, "the blank before the wrapped word stays" },
        { u"one\r\ntwo\rthree"_s, 10000, { u"one"_s, u"two"_s, u"three"_s },
            "CR LF and a lone CR end lines" },
        { u"one\ntwo"_s, 10000, { u"one\ntwo"_s }, "a lone LF is part of a word" },
        { u"  indented"_s, 10000, { u"  indented"_s }, "leading blanks of a paragraph remain" },
        { u"a\r\n\r\nb"_s, 10000, { u"a"_s, QString(), u"b"_s }, "an empty paragraph is an empty line" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(AllLines(c.text, c.maxWidth), c.lines) << c.what;
}

TEST(MemoLayout, WrapLineReportsWidthAndWrapFlag)
{
    TRLLineMeasurer measurer(TestFont());
    const int space = QtWidth(u" "_s, TestFont());
    const TRLWrappedLine tab = WrapLine(u"\tx", 0, 10000, measurer);
    EXPECT_EQ(tab.Width, 8 * space + CharSum(u"x"_s)) << "a tab counts eight blanks";
    EXPECT_FALSE(tab.Wrapped);
    const TRLWrappedLine wrapped = WrapLine(u"alpha beta", 0, CharSum(u"alpha "_s), measurer);
    EXPECT_TRUE(wrapped.Wrapped);
    EXPECT_EQ(wrapped.Next, 6);
    EXPECT_EQ(wrapped.Width, CharSum(u"alpha beta"_s)) << "the width includes the word that did not fit";
    const TRLWrappedLine ended = WrapLine(u"one\r\ntwo", 0, 10000, measurer);
    EXPECT_FALSE(ended.Wrapped);
    EXPECT_EQ(ended.Next, 5);
}

TEST(MemoLayout, MeasureLinesCountsWrappedLines)
{
    const int h = QtHeight(TestFont());
    const int width = CharSum(u"alpha "_s);
    EXPECT_EQ(MeasureLines(u"", TestFont(), width).Height, 0);
    EXPECT_EQ(MeasureLines(u"alpha beta gamma", TestFont(), width).Height, 3 * h);
    EXPECT_EQ(MeasureLines(u"alpha\r\nbeta", TestFont(), 10000).Height, 2 * h);
    EXPECT_EQ(MeasureLines(u"alpha beta", TestFont(), 10000).Widest, CharSum(u"alpha beta"_s));
}

TEST(Memo, PrintsOneObjectPerLineAndGrowsItsBand)
{
    const QString text = u"Entregar no depósito\r\nHorário: 8h às 17h\r\nFalar com o Sr. Silva"_s;
    MemoReport r(text);
    auto* after = new TRLLabel(&r.form);
    after->SetParent(r.AddBand(btSummary, 20));
    after->SetCaption(u"fim"_s);
    const int heightBefore = r.memo->Height();
    const int bandBefore = r.band->Height();
    int bandHeight = 0;
    r.band->AfterPrint = [&](TComponent*) { bandHeight = r.band->Height(); };
    ASSERT_TRUE(r.Prepare());
    const int h = QtHeight(TestFont());
    EXPECT_EQ(bandHeight, bandBefore + 3 * h - heightBefore) << "the band grows with the memo";
    const auto texts = r.TextObjects();
    ASSERT_EQ(texts.size(), 4u);
    const QStringList lines { u"Entregar no depósito"_s, u"Horário: 8h às 17h"_s,
        u"Falar com o Sr. Silva"_s };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(texts[i]->Text, lines[i]);
        EXPECT_EQ(RectText(texts[i]->BoundsRect),
            QStringLiteral("54,%1,735,%2").arg(137 + i * h).arg(137 + (i + 1) * h))
            << "line " << i;
        EXPECT_EQ(texts[i]->Origin, QPoint(54, 137 + i * h));
        EXPECT_EQ(texts[i]->TextFlags, kTextFlagKeepWhole | kTextFlagNoClip);
        EXPECT_EQ(texts[i]->GroupId, texts[0]->GroupId) << "one drawing group for the memo";
    }
    EXPECT_EQ(texts[3]->BoundsRect.Top, 38 + bandHeight) << "the next band starts below the grown band";
}

TEST(Memo, AlignmentsOfWrappedAndFinalLines)
{
    struct Case {
        TRLTextAlignment alignment;
        TRLMetaTextAlignment first;
        TRLMetaTextAlignment last;
    };
    const Case cases[] = {
        { taLeftJustify, TRLMetaTextAlignment::Left, TRLMetaTextAlignment::Left },
        { taRightJustify, TRLMetaTextAlignment::Right, TRLMetaTextAlignment::Right },
        { taCenter, TRLMetaTextAlignment::Center, TRLMetaTextAlignment::Center },
        { taJustify, TRLMetaTextAlignment::Justify, TRLMetaTextAlignment::Left },
    };
    for (const Case& c : cases) {
        MemoReport r(u"alpha beta"_s);
        r.memo->SetAlignment(c.alignment);
        r.memo->SetAutoSize(false);
        r.memo->SetBounds(10, 0, CharSum(u"alpha "_s), 100);
        ASSERT_TRUE(r.Prepare());
        const auto texts = r.TextObjects();
        ASSERT_EQ(texts.size(), 2u) << int(c.alignment);
        EXPECT_EQ(texts[0]->Alignment, c.first) << int(c.alignment);
        EXPECT_EQ(texts[1]->Alignment, c.last) << int(c.alignment);
        const int right = 48 + CharSum(u"alpha "_s);
        const int w = QtWidth(u"beta"_s, TestFont());
        int x = 48;
        if (c.alignment == taRightJustify)
            x = right - w;
        else if (c.alignment == taCenter)
            x = (48 + right - w) / 2;
        EXPECT_EQ(texts[1]->Origin.x(), x) << int(c.alignment);
    }
}

TEST(Memo, WithoutWordWrapEachParagraphIsOneLineAgainstTheRightEdge)
{
    MemoReport r(u"alpha beta gamma\rdelta"_s);
    r.memo->SetWordWrap(false);
    r.memo->SetAlignment(taRightJustify);
    r.memo->SetWidth(CharSum(u"alpha "_s));
    int printedHeight = 0;
    r.memo->AfterPrint = [&](TComponent*) { printedHeight = r.memo->Height(); };
    ASSERT_TRUE(r.Prepare());
    EXPECT_EQ(r.Lines(), QStringList({ u"alpha beta gamma"_s, u"delta"_s }));
    EXPECT_EQ(printedHeight, 4 * QtHeight(TestFont())) << "AutoSize still counts the wrapped lines";
    const auto texts = r.TextObjects();
    ASSERT_EQ(texts.size(), 2u);
    const int right = 54 + CharSum(u"alpha "_s);
    EXPECT_EQ(texts[1]->BoundsRect.Right, right);
    EXPECT_EQ(texts[1]->Origin.x(), right - QtWidth(u"delta"_s, TestFont()));
}

TEST(Memo, FixedHeightPrintsOnlyLinesStartingInside)
{
    MemoReport r(u"1\r2\r3\r4\r5"_s);
    const int h = QtHeight(TestFont());
    r.memo->SetAutoSize(false);
    r.memo->SetHeight(2 * h + 1);
    ASSERT_TRUE(r.Prepare());
    EXPECT_EQ(r.Lines(), QStringList({ u"1"_s, u"2"_s, u"3"_s })) << "the third line starts inside";
    EXPECT_EQ(r.TextObjects()[2]->BoundsRect.Bottom, 137 + 2 * h + 1) << "cut to the memo's bottom";
    r.memo->SetHeight(2 * h);
    ASSERT_TRUE(r.Prepare());
    EXPECT_EQ(r.Lines(), QStringList({ u"1"_s, u"2"_s })) << "no line starting at the bottom edge";
}

TEST(Memo, EmptyTextTakesOneLineAndBorderAllowance)
{
    MemoReport r { QString() };
    r.memo->Borders()->SetSides(sdAll);
    r.memo->Borders()->SetWidth(2);
    QSize printed;
    r.memo->AfterPrint = [&](TComponent*) { printed = QSize(r.memo->Width(), r.memo->Height()); };
    ASSERT_TRUE(r.Prepare());
    EXPECT_TRUE(r.Lines().isEmpty());
    EXPECT_EQ(printed.height(), QtHeight(TestFont()) + 3 + 3);
    EXPECT_EQ(printed.width(), 681) << "a memo never sizes its width";
}

TEST(Memo, BandSplitAcrossPagesNeverCutsALine)
{
    QStringList paragraphs;
    for (int i = 1; i <= 40; ++i)
        paragraphs << QStringLiteral("Linha %1").arg(i);
    MemoReport r(paragraphs.join(u"\r\n"_s));
    r.band->IntegralHeight = false;
    r.memo->SetTop(0);
    r.AddBand(btTitle, 900);
    ASSERT_TRUE(r.Prepare());
    ASSERT_EQ(r.PageCount(), 2);
    QStringList printed = r.Lines(0) + r.Lines(1);
    EXPECT_EQ(printed, paragraphs) << "every line once, in order";
    for (const TRLTextObject* text : r.TextObjects(0))
        EXPECT_LE(text->BoundsRect.Bottom, 1085) << text->Text.toStdString() << " crosses the page limit";
    EXPECT_FALSE(r.Lines(0).isEmpty());
    EXPECT_FALSE(r.Lines(1).isEmpty());
}

TEST(Memo, MemoLongerThanAPageContinuesOnTheNextPages)
{
    // 10,000 characters of remarks make a band of about a hundred lines, taller than a page: it
    // moves once to a fresh page, as a band that does not fit below the title does, and runs on
    // over the following pages, cut between lines, every line once and in order, nothing past the
    // limit (1085) and so nothing off the paper.
    QStringList words;
    QString text;
    for (int i = 1; text.size() < 10000; ++i) {
        words << QStringLiteral("observação%1").arg(i);
        text += words.back() + u' ';
    }
    text.truncate(10000);
    words = text.split(u' ', Qt::SkipEmptyParts);
    MemoReport r(text);
    r.AddBand(btTitle, 300);
    ASSERT_TRUE(r.band->IntegralHeight) << "the default: a band is not meant to be split";
    ASSERT_TRUE(r.Prepare());
    ASSERT_GE(r.PageCount(), 3);
    QStringList printed;
    int lineCount = 0;
    for (int page = 0; page < r.PageCount(); ++page) {
        const QStringList lines = r.Lines(page);
        EXPECT_EQ(lines.isEmpty(), page == 0) << "page " << page + 1;
        lineCount += int(lines.size());
        printed << lines;
        TRLGraphicSurface& surface = *r.report->Pages()->Pages(page);
        for (int i = 0; i < surface.ObjectCount(); ++i) {
            const TRLGraphicObject& object = *surface.Objects(i);
            if (object.Kind() == TRLObjectKind::Text) {
                EXPECT_LE(object.BoundsRect.Bottom, 1085) << "page " << page + 1 << " object " << i;
            }
            EXPECT_LE(object.BoundsRect.Bottom, 1123) << "page " << page + 1 << " object " << i;
        }
    }
    EXPECT_GT(lineCount, 1085 / QtHeight(TestFont())) << "more lines than a page holds";
    EXPECT_EQ(printed.join(u' ').split(u' ', Qt::SkipEmptyParts), words) << "every word once, in order";
}

TEST(Memo, MissingFieldAndFormulaExclusion)
{
    MemoReport r(u"x"_s);
    r.memo->SetDataField(u"OBSERVACAO"_s);
    EXPECT_EQ(ErrorOf([&] { r.memo->GetField(); }), u"Não encontrado: RLDBMemo1.DataField \"OBSERVACAO\""_s);
    r.memo->SetDataFormula(u"OBS"_s);
    EXPECT_EQ(r.memo->DataField(), QString());
    EXPECT_EQ(r.memo->Caption(), u"(OBS)"_s);
}

TEST(Memo, FormulaValueIsItsText)
{
    struct Case {
        QVariant value;
        QStringList lines;
    };
    const Case cases[] = {
        { QVariant(), {} },
        { QVariant(u"Pagar em 30 dias\rSem juros"_s), { u"Pagar em 30 dias"_s, u"Sem juros"_s } },
        { QVariant(7), { u"7"_s } },
    };
    for (const Case& c : cases) {
        MemoReport r { u"ignored"_s };
        r.report->ExpressionParser = [&](TRLCustomControl&, const QString&) { return c.value; };
        r.memo->SetDataFormula(u"TERMS"_s);
        ASSERT_TRUE(r.Prepare());
        EXPECT_EQ(r.Lines(), c.lines) << c.value.toString().toStdString();
    }
}
