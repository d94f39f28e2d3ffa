#include "support/TextUtils.h"
#include "platform/Component.h"

#include <gtest/gtest.h>

TEST(TextUtils, Token)
{
    struct Case {
        const char16_t* text;
        int n;
        QChar delimiter;
        const char16_t* expected;
    };
    const Case cases[] = {
        { u"a,,b", 1, u',', u"a" },
        { u"a,,b", 2, u',', u"" },
        { u"a,,b", 3, u',', u"b" },
        { u"a,,b", 4, u',', u"" },
        { u"a,,b", 0, u',', u"" },
        { u"", 1, u',', u"" },
        { u"x;y", 2, u';', u"y" },
        { u",", 2, u',', u"" },
        { u"abc", 1, u',', u"abc" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Token(QString::fromUtf16(c.text), c.n, c.delimiter), QString::fromUtf16(c.expected))
            << "text \"" << QString::fromUtf16(c.text).toStdString() << "\" n " << c.n;
}

TEST(TextUtils, ForceExtDot)
{
    EXPECT_EQ(ForceExtDot(u"pdf"_qs), u".pdf"_qs);
    EXPECT_EQ(ForceExtDot(u".pdf"_qs), u".pdf"_qs);
    EXPECT_EQ(ForceExtDot(QString()), QString());
}

TEST(TextUtils, InsertJustifyBlankFillsGapsFromRightToLeftCyclically)
{
    QString text = u"one two three"_qs;
    int cursor = int(text.size());
    const char16_t* expected[]
        = { u"one two  three", u"one  two  three", u"one  two   three", u"one   two   three" };
    for (const char16_t* step : expected) {
        ASSERT_TRUE(InsertJustifyBlank(text, cursor));
        EXPECT_EQ(text, QString::fromUtf16(step));
    }
}

TEST(TextUtils, InsertJustifyBlankNeedsAnInnerGap)
{
    struct Case {
        const char16_t* text;
        bool succeeds;
        const char16_t* after;
    };
    const Case cases[] = {
        { u"word", false, u"word" },
        { u"", false, u"" },
        { u"   word", false, u"   word" },
        { u"word   ", false, u"word   " },
        { u"a\tb", true, u"a \tb" },
        { u"a b\r\n", true, u"a  b\r\n" },
    };
    for (const Case& c : cases) {
        QString text = QString::fromUtf16(c.text);
        int cursor = int(text.size());
        EXPECT_EQ(InsertJustifyBlank(text, cursor), c.succeeds) << text.toStdString();
        EXPECT_EQ(text, QString::fromUtf16(c.after));
    }
}

namespace {

class TNamed : public TComponent {
public:
    TNamed(TComponent* owner, QString className, const QString& name)
        : TComponent(owner)
        , m_className(std::move(className))
    {
        SetName(name);
    }
    QString ClassName() const override { return m_className; }

private:
    QString m_className;
};

} // namespace

TEST(TextUtils, UniqueComponentName)
{
    struct Case {
        QString className;
        QStringList siblings;
        QString expected;
        const char* what;
    };
    const Case cases[] = {
        { u"TRLBand"_qs, {}, u"RLBand1"_qs, "no sibling" },
        { u"TRLBand"_qs, { u"RLBand1"_qs, u"rlband7"_qs, u"RLBand3"_qs }, u"RLBand8"_qs, "largest plus one" },
        { u"TRLBand"_qs, { u"RLBandSet4"_qs, u"RLBand"_qs, u"RLBand2x"_qs }, u"RLBand1"_qs,
            "non-numeric suffix" },
        { u"tRLBand"_qs, { u"RLBand2"_qs }, u"RLBand3"_qs, "lower-case t" },
        { u"RLBand"_qs, { u"RLBand2"_qs }, u"RLBand3"_qs, "class name without T" },
        { u"TRLLabel"_qs, { u"RLBand9"_qs }, u"RLLabel1"_qs, "other prefix" },
    };
    for (const Case& c : cases) {
        TComponent owner(nullptr);
        for (const QString& name : c.siblings)
            new TNamed(&owner, u"TOther"_qs, name);
        const TNamed* created = new TNamed(&owner, c.className, QString());
        EXPECT_EQ(UniqueComponentName(*created), c.expected) << c.what;
    }
    const TNamed lonely(nullptr, u"TRLBand"_qs, u"RLBand5"_qs);
    EXPECT_EQ(UniqueComponentName(lonely), u"RLBand1"_qs) << "no owner";
}
