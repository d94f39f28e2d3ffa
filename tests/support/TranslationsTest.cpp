#include "support/Translations.h"
#include "support/LocaleTexts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// Sets LC_ALL for one test and puts back the variable and the English of the test start-up.
class TranslationsTest : public testing::Test {
protected:
    void SetUp() override { m_lcAll = qgetenv("LC_ALL"); }
    void TearDown() override
    {
        qputenv("LC_ALL", m_lcAll);
        InstallTranslations(TLanguage::English);
    }

private:
    QByteArray m_lcAll;
};

} // namespace

// Qt's standard buttons and dialogs speak the language the library picks from the locale.
TEST_F(TranslationsTest, QtOwnTextsFollowTheLocale)
{
    struct Case {
        const char* locale;
        const char* cancel;
        const char* saveAs;
        const char* lookIn;
    };
    const Case cases[] = {
        { "pt_BR.UTF-8", "Cancelar", "Salvar como", "Procurar em:" },
        { "pt_PT.UTF-8", "Cancelar", "Salvar como", "Procurar em:" },
        { "es_ES.UTF-8", "Cancelar", "Guardar como", "Ver en:" },
        { "fr_FR.UTF-8", "Annuler", "Enregistrer sous", "Voir dans :" },
        { "en_US.UTF-8", "Cancel", "Save As", "Look in:" },
        { "C", "Cancel", "Save As", "Look in:" },
    };
    for (const Case& c : cases) {
        qputenv("LC_ALL", c.locale);
        InstallTranslations(LanguageFromEnvironment());
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8(c.cancel))
            << c.locale;
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Save As"), QString::fromUtf8(c.saveAs))
            << c.locale;
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QString::fromUtf8(c.lookIn))
            << c.locale;
    }
}

TEST_F(TranslationsTest, CataloguesOfEveryLanguageAreThere)
{
    for (TLanguage language : { TLanguage::Portuguese, TLanguage::Spanish, TLanguage::French }) {
        const QString qt = QtCatalogueFile(language);
        EXPECT_FALSE(qt.isEmpty()) << "Qt's translations (qt6-translations-l10n) are not installed";
        EXPECT_TRUE(QFileInfo::exists(ProgramCatalogueResource(language)))
            << ProgramCatalogueResource(language).toStdString();
    }
    EXPECT_TRUE(QFileInfo::exists(ProgramCatalogueResource(TLanguage::English)));
    EXPECT_TRUE(QtCatalogueFile(TLanguage::English).isEmpty());
}
