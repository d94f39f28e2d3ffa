#include "ControlTestSupport.h"

#include "report/RLSystemInfo.h"
#include "support/FormatSettings.h"

#include <gtest/gtest.h>

using enum TRLBandType;
using enum TRLInfoType;

using namespace Qt::StringLiterals;

namespace {

TRLSystemInfo* AddInfo(
    ControlReport& r, TRLCustomBand* band, TRLInfoType info, const QString& text, int left = 0)
{
    auto* control = new TRLSystemInfo(&r.form);
    control->SetParent(band);
    control->SetLeft(left);
    control->SetInfo(info);
    control->SetText(text);
    return control;
}

/// Three pages: a 30-pixel header, 25 details of 100 pixels (nine a page) and a 40-pixel footer.
struct ThreePages : ControlReport {
    ThreePages()
        : ControlReport(25)
    {
        header = AddBand(btHeader, 30);
        detail = AddBand(btDetail, 100);
        footer = AddBand(btFooter, 40);
    }
    /// The display text of the system information printed at `left` on each page.
    QStringList Printed(int left)
    {
        QStringList texts;
        for (int page = 0; page < PageCount(); ++page)
            for (const TRLTextObject* text : TextObjects(page))
                if (text->BoundsRect.Left == 38 + left)
                    texts << text->DisplayText();
        return texts;
    }
    TRLBand* header = nullptr;
    TRLBand* detail = nullptr;
    TRLBand* footer = nullptr;
};

/// Sets a variable of the environment for one test.
class EnvironmentScope {
public:
    EnvironmentScope(const char* name, const QByteArray& value)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~EnvironmentScope()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    EnvironmentScope(const EnvironmentScope&) = delete;
    EnvironmentScope& operator=(const EnvironmentScope&) = delete;

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace

TEST(SystemInfo, PageNumbersAndTheLastPageMacro)
{
    ThreePages r;
    AddInfo(r, r.footer, itPagePreview, u"Página # de #"_s, 100);
    AddInfo(r, r.footer, itPageNumber, QString(), 300);
    AddInfo(r, r.footer, itLastPageNumber, u"de "_s, 400);
    AddInfo(r, r.footer, itPagePreview, QString(), 500);
    ASSERT_TRUE(r.Prepare());
    ASSERT_EQ(r.PageCount(), 3);
    EXPECT_EQ(r.Printed(100), QStringList({ u"Página 1 de 3"_s, u"Página 2 de 3"_s, u"Página 3 de 3"_s }));
    EXPECT_EQ(r.Printed(300), QStringList({ u"1"_s, u"2"_s, u"3"_s }));
    EXPECT_EQ(r.Printed(400), QStringList({ u"de 3"_s, u"de 3"_s, u"de 3"_s }));
    EXPECT_EQ(r.Printed(500), QStringList({ u"13"_s, u"23"_s, u"33"_s }));
    bool stored = false;
    for (const TRLTextObject* text : r.TextObjects(1))
        if (text->Text == u"Página 2 de {LastPageNumber}"_s)
            stored = true;
    EXPECT_TRUE(stored) << "the page keeps the macro; only display expands it";
}

TEST(SystemInfo, JunctionWordsOnFirstMiddleAndLastPages)
{
    ThreePages r;
    AddInfo(r, r.footer, itJunction, u"|;"_s, 100);
    AddInfo(r, r.footer, itJunction, u"#|continua;fim|"_s, 300);
    AddInfo(r, r.footer, itJunction, u"Pág. |^CLEAR;Encerrado|"_s, 500);
    ASSERT_TRUE(r.Prepare());
    ASSERT_EQ(r.PageCount(), 3);
    EXPECT_EQ(r.Printed(100), QStringList({ u"Continua..."_s, u"Continua..."_s, u"Fim"_s }));
    EXPECT_EQ(r.Printed(300), QStringList({ u"continua"_s, u"continua"_s, u"fim"_s }));
    EXPECT_EQ(r.Printed(500), QStringList({ QString(), QString(), u"Pág. Encerrado"_s }));
}

TEST(SystemInfo, MendWordsOnFirstMiddleAndLastPages)
{
    ThreePages r;
    AddInfo(r, r.header, itMend, QString(), 100);
    AddInfo(r, r.header, itMend, u"|(cont.);Início|"_s, 300);
    AddInfo(r, r.header, itMend, u"|^CLEAR;Primeira|"_s, 500);
    ASSERT_TRUE(r.Prepare());
    ASSERT_EQ(r.PageCount(), 3);
    EXPECT_EQ(r.Printed(100), QStringList({ QString(), u"Continuação"_s, u"Continuação"_s }));
    EXPECT_EQ(r.Printed(300), QStringList({ u"Início"_s, u"(cont.)"_s, u"(cont.)"_s }));
    EXPECT_EQ(r.Printed(500), QStringList({ u"Primeira"_s, QString(), QString() }));
}

TEST(SystemInfo, ClearedTextShrinksToOneBlank)
{
    ThreePages r;
    TRLSystemInfo* mend = AddInfo(r, r.header, itMend, QString(), 100);
    int firstWidth = -1;
    mend->AfterPrint = [&](TComponent*) {
        if (firstWidth < 0)
            firstWidth = mend->Width();
    };
    ASSERT_TRUE(r.Prepare());
    EXPECT_EQ(firstWidth, QtWidth(u" "_s, mend->Font()));
}

TEST(SystemInfo, RecordCountersAndTitle)
{
    ThreePages r;
    r.report->Title = u"Ordem de Compra"_s;
    AddInfo(r, r.detail, itRecNo, u"#."_s, 100);
    AddInfo(r, r.detail, itDetailCount, QString(), 200);
    AddInfo(r, r.detail, itCarbonCopy, QString(), 300);
    AddInfo(r, r.footer, itTitle, QString(), 100);
    AddInfo(r, r.footer, itDetailCount, u"Itens: "_s, 200);
    ASSERT_TRUE(r.Prepare());
    const QStringList recNo = r.Printed(100);
    ASSERT_GE(recNo.size(), 3);
    EXPECT_EQ(recNo.mid(0, 3), QStringList({ u"1."_s, u"2."_s, u"3."_s }));
    EXPECT_TRUE(recNo.contains(u"25."_s));
    EXPECT_EQ(recNo.count(u"Ordem de Compra"_s), 3) << "the title in each footer";
    EXPECT_EQ(r.Printed(300).count(u"1"_s), 25) << "one carbon copy per detail";
    const QStringList counts = r.Printed(200);
    EXPECT_TRUE(counts.contains(u"Itens: 9"_s));
    EXPECT_TRUE(counts.contains(u"Itens: 25"_s));
}

TEST(SystemInfo, DatesAndTimesShowTheReportInstant)
{
    const EnvironmentScope epoch("SOURCE_DATE_EPOCH", "1700000000"); // 2023-11-14 22:13:20 UTC
    const TFormatSettings saved = FormatSettings();
    TFormatSettings settings;
    settings.ShortDateFormat = u"dd/mm/yyyy"_s;
    settings.LongDateFormat = u"yyyy-mm-dd"_s;
    settings.LongTimeFormat = u"hh:nn:ss"_s;
    SetFormatSettings(settings);
    ThreePages r;
    AddInfo(r, r.header, itDate, QString(), 100);
    AddInfo(r, r.header, itFullDate, QString(), 200);
    AddInfo(r, r.header, itHour, u"às #"_s, 300);
    AddInfo(r, r.header, itNow, QString(), 400);
    ASSERT_TRUE(r.Prepare());
    SetFormatSettings(saved);
    EXPECT_EQ(r.Printed(100), QStringList(3, u"14/11/2023"_s));
    EXPECT_EQ(r.Printed(200), QStringList(3, u"2023-11-14"_s));
    EXPECT_EQ(r.Printed(300), QStringList(3, u"às 22:13:20"_s));
    EXPECT_EQ(r.Printed(400), QStringList(3, u"14/11/2023 22:13:20"_s));
}

TEST(SystemInfo, OutsidePrintingNamesTheInformation)
{
    struct Case {
        TRLInfoType info;
        QString caption;
    };
    const Case cases[] = {
        { itCarbonCopy, u"(CarbonCopy)"_s },
        { itDate, u"(Date)"_s },
        { itDetailCount, u"(DetailCount)"_s },
        { itFullDate, u"(FullDate)"_s },
        { itHour, u"(Hour)"_s },
        { itJunction, u"(Junction)"_s },
        { itLastPageNumber, u"(LastPageNumber)"_s },
        { itMend, u"(Mend)"_s },
        { itNow, u"(Now)"_s },
        { itPageNumber, u"(PageNumber)"_s },
        { itPagePreview, u"Pág. (PageNumber)/(LastPageNumber)"_s },
        { itTitle, u"(Title)"_s },
        { itRecNo, u"(RecNo)"_s },
        { itCopyNo, u"(CopyNo)"_s },
    };
    ControlReport r(1);
    auto* control = new TRLSystemInfo(&r.form);
    for (const Case& c : cases) {
        control->SetInfo(c.info);
        control->SetText(c.info == itPagePreview ? u"Pág. #/#"_s : QString());
        EXPECT_EQ(control->Caption(), c.caption) << c.caption.toStdString();
    }
    control->SetFriendlyName(u"Relogio"_s);
    control->SetInfo(itHour);
    EXPECT_EQ(control->Caption(), u"Relogio"_s);
}
