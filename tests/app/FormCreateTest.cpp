// The creation handler's job: the order number from the argument or the input box, then the
// preview of the located order or the not-found message.
#include "SampleOrders.h"

#include "app/TelaPrincipal.h"
#include "db/Alias.h"
#include "pages/RLGraphicStorage.h"
#include "report/RLReport.h"
#include "report/RLUserInterface.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

/// The form over the sample database with recording stand-ins for the input box, the message
/// box and the preview window.
class FormCreate : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedPreview = RLUserInterface().ShowPreview;
        RLUserInterface().ShowPreview = [this](TRLCustomReport& report) {
            m_previewPages.push_back(report.Pages()->PageCount());
            return true;
        };
        m_form = std::make_unique<TForm1>(nullptr, kBusinessAlias.toString(), SampleDatabaseDirectory());
        m_form->OpenTables();
        m_form->RLReport1->ShowProgress = false;
        m_form->InputBox = [this](const QString& caption, const QString& prompt, const QString& defaultText) {
            m_inputBoxes.push_back(caption + u'|' + prompt + u'|' + defaultText);
            return m_typed.value_or(defaultText);
        };
        m_form->ShowMessage = [this](const QString& message) { m_messages.push_back(message); };
    }

    void TearDown() override { RLUserInterface().ShowPreview = m_savedPreview; }

    std::unique_ptr<TForm1> m_form;
    /// What the operator types; nothing means the box is cancelled.
    std::optional<QString> m_typed;
    std::vector<QString> m_inputBoxes;
    std::vector<QString> m_messages;
    std::vector<int> m_previewPages;

private:
    std::function<bool(TRLCustomReport&)> m_savedPreview;
};

const QString kNotFound = u"Ordem Compra não Encontrada!"_s;
const QString kInputBox = u"Ordem de Compra|Informe o Numero|"_s;

} // namespace

TEST_F(FormCreate, AnArgumentIsUsedWithoutAskingAndTheOrderIsPreviewed)
{
    m_form->FormCreate(u"3"_s);
    EXPECT_TRUE(m_inputBoxes.empty());
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_previewPages, std::vector<int> { 2 }) << "order 3 has two pages";
    EXPECT_EQ(m_form->OrderNumberText, u"3"_s);
}

TEST_F(FormCreate, WithoutAnArgumentTheInputBoxAsks)
{
    m_typed = u"1"_s;
    m_form->FormCreate(QString());
    EXPECT_EQ(m_inputBoxes, std::vector<QString> { kInputBox });
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_previewPages, std::vector<int> { 1 });
    EXPECT_EQ(m_form->OrderNumberText, u"1"_s);
}

TEST_F(FormCreate, NoOrderGivesTheMessageAndNoPreview)
{
    struct Case {
        QString argument;
        std::optional<QString> typed;
        const char* what;
    };
    const Case cases[] = {
        { QString(), std::nullopt, "input box cancelled" },
        { QString(), u""_s, "input box left empty" },
        { u"99"_s, std::nullopt, "a number that names no order" },
        { u"abc"_s, std::nullopt, "not a number" },
        { u"1e999"_s, std::nullopt, "a number beyond double" },
        { u"-1"_s, std::nullopt, "negative" },
        { QString(10240, u'7'), std::nullopt, "ten thousand digits" },
    };
    for (const Case& c : cases) {
        m_typed = c.typed;
        m_messages.clear();
        m_previewPages.clear();
        m_form->FormCreate(c.argument);
        EXPECT_EQ(m_messages, std::vector<QString> { kNotFound }) << c.what;
        EXPECT_TRUE(m_previewPages.empty()) << c.what;
    }
}
