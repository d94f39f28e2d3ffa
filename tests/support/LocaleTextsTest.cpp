#include "support/LocaleTexts.h"
#include "tests/common/TestHelpers.h"

#include <gtest/gtest.h>

namespace {

// Restores the live table chosen at test start-up.
class LiveTexts : public testing::Test {
protected:
    void TearDown() override { SelectLanguage(); }
};

} // namespace

TEST(LocaleTexts, LanguageOfLocaleName)
{
    struct Case {
        const char* name;
        TLanguage language;
    };
    const Case cases[] = {
        { "pt_BR.UTF-8", TLanguage::Portuguese },
        { "pt_PT", TLanguage::Portuguese },
        { "pt", TLanguage::Portuguese },
        { "es_ES.UTF-8", TLanguage::Spanish },
        { "es_AR", TLanguage::Spanish },
        { "fr_FR@euro", TLanguage::French },
        { "fr_CA.UTF-8", TLanguage::French },
        { "de_DE.UTF-8", TLanguage::English },
        { "en_US.UTF-8", TLanguage::English },
        { "C", TLanguage::English },
        { "C.UTF-8", TLanguage::English },
        { "POSIX", TLanguage::English },
        { "", TLanguage::English },
        { "ptx_XX", TLanguage::English },
    };
    for (const Case& c : cases)
        EXPECT_EQ(LanguageOfLocaleName(QString::fromLatin1(c.name)), c.language) << c.name;
}

TEST(LocaleTexts, EnvironmentOrderIsLcAllThenLcMessagesThenLang)
{
    const QByteArray saved[] = { qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"), qgetenv("LANG") };
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        TLanguage language;
    };
    const Case cases[] = {
        { "fr_FR", "es_ES", "pt_BR", TLanguage::French },
        { "", "es_ES", "pt_BR", TLanguage::Spanish },
        { "", "", "pt_BR", TLanguage::Portuguese },
        { "", "", "de_DE", TLanguage::English },
        { "", "", "", TLanguage::English },
        { "C", "", "pt_BR", TLanguage::English },
    };
    for (const Case& c : cases) {
        qputenv("LC_ALL", c.lcAll);
        qputenv("LC_MESSAGES", c.lcMessages);
        qputenv("LANG", c.lang);
        EXPECT_EQ(LanguageFromEnvironment(), c.language)
            << "LC_ALL=" << c.lcAll << " LC_MESSAGES=" << c.lcMessages << " LANG=" << c.lang;
    }
    qputenv("LC_ALL", saved[0]);
    qputenv("LC_MESSAGES", saved[1]);
    qputenv("LANG", saved[2]);
}

TEST_F(LiveTexts, SelectLanguageFillsEverySlot)
{
    struct Case {
        TLanguage language;
        int n;
        const char16_t* text;
    };
    const Case cases[] = {
        { TLanguage::Portuguese, 0, u"Imprimindo o relatório..." },
        { TLanguage::Portuguese, 16, u"Não encontrado" },
        { TLanguage::Portuguese, 26, u"de" },
        { TLanguage::Portuguese, 44, u"de" },
        { TLanguage::Portuguese, 72, u"Diferenciar &maiúsculas de minúsculas" },
        { TLanguage::Portuguese, 75, u"Direção" },
        { TLanguage::English, 26, u"of" },
        { TLanguage::English, 44, u"from" },
        { TLanguage::English, 70, u"Find &Next" },
        { TLanguage::French, 4, u"Invalid printer path" },
        { TLanguage::French, 8, u"Erreur durant la prépartaion du rapport" },
        { TLanguage::French, 72, u"Cas d'allu&mette" },
        { TLanguage::Spanish, 4, u"Caminho inválido para a impressora" },
        { TLanguage::Spanish, 37, u"Envíar a" },
        { TLanguage::Spanish, 71, u"Palabras &completas sólamente" },
    };
    for (const Case& c : cases) {
        SelectLanguage(c.language);
        EXPECT_EQ(LocaleText(c.n), QString::fromUtf16(c.text)) << "text " << c.n;
        EXPECT_EQ(LanguageText(c.language, c.n), QString::fromUtf16(c.text)) << "text " << c.n;
    }
    for (TLanguage language :
        { TLanguage::Portuguese, TLanguage::English, TLanguage::French, TLanguage::Spanish }) {
        SelectLanguage(language);
        for (int n = 0; n < kLocaleTextCount; ++n)
            EXPECT_FALSE(LocaleText(n).isEmpty()) << "text " << n << " of language " << int(language);
    }
}

TEST(LocaleTextIds, EachNameIsItsEntry)
{
    struct Case {
        TLocaleTextId id;
        const char16_t* english;
    };
    const Case cases[] = {
        { TLocaleTextId::PrintingReport, u"Printing in progress..." },
        { TLocaleTextId::PrinterNotFound, u"Printer not found" },
        { TLocaleTextId::Page, u"Page" },
        { TLocaleTextId::Continues, u"Continues..." },
        { TLocaleTextId::End, u"End" },
        { TLocaleTextId::NotFound, u"Not found" },
        { TLocaleTextId::Preview, u"Preview" },
        { TLocaleTextId::Of, u"of" },
        { TLocaleTextId::SendTo, u"Send to" },
        { TLocaleTextId::From, u"from" },
        { TLocaleTextId::To, u"to" },
        { TLocaleTextId::NameAlreadyUsed, u"Name already in use" },
        { TLocaleTextId::PdfDocument, u"PDF Document" },
        { TLocaleTextId::ExcelSpreadsheet, u"Excel spreadsheet" },
        { TLocaleTextId::At, u"at" },
        { TLocaleTextId::ZoomOut, u"Decrease zoom" },
        { TLocaleTextId::TextLabel, u"Te&xt" },
        { TLocaleTextId::Direction, u"Direction" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(LanguageText(TLanguage::English, c.id), QString::fromUtf16(c.english))
            << "entry " << int(c.id);
    EXPECT_EQ(kLocaleTextCount, 76);
}

TEST_F(LiveTexts, ClearedTextsAreEmptyAndBadNumbersAreRefused)
{
    ClearLocaleTexts();
    EXPECT_TRUE(LocaleText(0).isEmpty());
    EXPECT_EQ(ErrorOf([] { LocaleText(76); }), u"Localized text number 76 is out of range (0 to 75)"_qs);
    EXPECT_EQ(ErrorOf([] { LocaleText(-1); }), u"Localized text number -1 is out of range (0 to 75)"_qs);
}
