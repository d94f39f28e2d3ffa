#include "support/RLExpressionParser.h"

#include "platform/Control.h"
#include "tests/common/TestHelpers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

/// A form owning a panel, as a layout would; the parser belongs to the form.
struct Form {
    Form()
    {
        root.SetName(u"Form1"_s);
        panel->SetName(u"Panel1"_s);
        parser->SetName(u"Parser1"_s);
        panel->SetBounds(10, 20, 100, 40);
        TFont font;
        font.Name = u"Arial"_s;
        font.Height = -13;
        panel->SetFont(font);
    }
    TComponent root { nullptr };
    TControl* panel = new TControl(&root);
    TRLExpressionParser* parser = new TRLExpressionParser(&root);
};

} // namespace

TEST(ParserPaths, ReadsPublishedProperties)
{
    Form form;
    struct Case {
        QString text;
        QString value;
    };
    const Case cases[] = {
        { u"Panel1.Width"_s, u"100"_s },
        { u"panel1.left + 1"_s, u"11"_s },
        { u"Form1.Panel1.Top"_s, u"20"_s },
        { u"Panel1.Visible"_s, u"True"_s },
        { u"Panel1.Font.Name"_s, u"Arial"_s },
        { u"Panel1.Font.Size"_s, u"10"_s },
        { u"Panel1.Font.Style"_s, u"[]"_s },
        { u"Panel1.Name"_s, u"Panel1"_s },
        { u"Panel1.Tag"_s, u"0"_s },
        { u"Panel1"_s, u"[TControl]"_s },
        { u"Panel1.Font"_s, u"[TFont]"_s },
        { u"Form1"_s, u"[TComponent]"_s },
    };
    for (const Case& c : cases)
        EXPECT_EQ(form.parser->Evaluate(c.text).ToString(), c.value) << c.text.toStdString();
}

TEST(ParserPaths, AssignmentSetsPropertiesOrFallsBackToAVariable)
{
    Form form;
    EXPECT_DOUBLE_EQ(form.parser->Evaluate(u"Panel1.Width := 55"_s).ToDouble(), 55);
    EXPECT_EQ(form.panel->Width(), 55);
    form.parser->Evaluate(u"Panel1.Visible := false"_s);
    EXPECT_FALSE(form.panel->Visible());
    form.parser->Evaluate(u"Panel1.Font.Style := '[fsBold, fsItalic]'"_s);
    EXPECT_EQ(form.panel->Font().Style, TFontStyles(fsBold | fsItalic));
    form.parser->Evaluate(u"Panel1.Font.Size := 12"_s);
    EXPECT_EQ(form.panel->Font().Height, -16);
    EXPECT_EQ(form.parser->FindValue(u"Panel1.Width"), nullptr);

    // No such property: the value goes to a variable of the whole name.
    form.parser->Evaluate(u"Panel1.Nothing := 3"_s);
    ASSERT_NE(form.parser->FindValue(u"panel1.nothing"), nullptr);
    EXPECT_DOUBLE_EQ(form.parser->Evaluate(u"Panel1.Nothing"_s).ToDouble(), 3);
    form.parser->Evaluate(u"Panel1.Tag := 42"_s);
    EXPECT_EQ(form.panel->Tag, 42);
    EXPECT_EQ(form.parser->Evaluate(u"Panel1.Tag + 1"_s).ToInt(), 43);
    // Renaming: the component answers to its new name only.
    form.parser->Evaluate(u"Panel1.Name := 'Box'"_s);
    EXPECT_EQ(form.panel->Name(), u"Box"_s);
    EXPECT_EQ(form.parser->FindValue(u"Panel1.Name"), nullptr);
    EXPECT_EQ(form.parser->Evaluate(u"Box.Width"_s).ToInt(), 55);
}

TEST(ParserPaths, BadValuesAndUnknownPathsAreNamed)
{
    Form form;
    const struct {
        QString text;
        QString message;
    } cases[] = {
        { u"Panel1.Width := 'wide'"_s, u"Invalid value \"wide\" for property Width"_s },
        { u"Panel1.Width := 1e12"_s, u"Invalid value \"1000000000000\" for property Width"_s },
        { u"Panel1.Font.Style := '[fsHeavy]'"_s, u"Invalid value \"fsHeavy\" for property Style"_s },
        { u"Panel1.Visible := 'maybe'"_s, u"Invalid value \"maybe\" for property Visible"_s },
        { u"Panel1.Tag := 'x'"_s, u"Invalid value \"x\" for property Tag"_s },
        { u"Panel1.Name := '2nd'"_s, u"Invalid value \"2nd\" for property Name"_s },
        { u"Panel1.Name := 'Parser1'"_s, u"Invalid value \"Parser1\" for property Name"_s },
        { u"Panel1.Missing"_s, u"Undefined identifier \"Panel1.Missing\""_s },
        { u"Nowhere.Width"_s, u"Undefined identifier \"Nowhere.Width\""_s },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorOf([&] { form.parser->Evaluate(c.text); }), c.message) << c.text.toStdString();
}

TEST(ParserPaths, ScanningComponentsCanBeTurnedOff)
{
    Form form;
    form.parser->Options = {};
    EXPECT_EQ(ErrorOf([&] { form.parser->Evaluate(u"Panel1.Width"_s); }),
        u"Undefined identifier \"Panel1.Width\""_s);
    form.parser->Evaluate(u"Panel1.Width := 7"_s);
    EXPECT_EQ(form.panel->Width(), 100);
    EXPECT_DOUBLE_EQ(form.parser->Evaluate(u"Panel1.Width"_s).ToDouble(), 7);
}

TEST(ParserPaths, ReportResolversComeFirst)
{
    Form form;
    TRLParserResolvers resolvers;
    QStringList found;
    resolvers.FindMember = [&](const TRLPathObject& object, const QString& name) -> TRLPathObject {
        found << object.ClassName() + u':' + name;
        return {};
    };
    resolvers.GetMemberValue = [](const TRLPathObject& object, const QString& property) -> TVariant {
        if (object.IsFont)
            return TVariant(u"font of "_s + object.Component->Name());
        return property == u"Special"_s ? TVariant(u"special"_s) : TVariant();
    };
    resolvers.SetMemberValue = [](const TRLPathObject&, const QString& property, const TVariant&) {
        return property == u"Taken"_s;
    };
    form.parser->SetResolvers(resolvers);
    EXPECT_EQ(form.parser->Evaluate(u"Panel1.Special"_s).ToString(), u"special"_s);
    EXPECT_EQ(found, QStringList({ u"TComponent:Panel1"_s, u"TControl:Special"_s }));
    EXPECT_EQ(form.parser->Evaluate(u"Panel1.Font.Size"_s).ToString(), u"font of Panel1"_s);
    EXPECT_EQ(form.parser->Evaluate(u"Panel1.Width"_s).ToInt(), 100);
    form.parser->Evaluate(u"Panel1.Taken := 1"_s);
    EXPECT_EQ(form.parser->FindValue(u"Panel1.Taken"), nullptr);
}
