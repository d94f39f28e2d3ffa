#include "support/Translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace {

struct TInstalledTranslators {
    std::unique_ptr<QTranslator> Qt;
    std::unique_ptr<QTranslator> Program;
};

TInstalledTranslators& Installed()
{
    static TInstalledTranslators translators;
    return translators;
}

// The library has one Portuguese table, written for Brazil, so Qt's texts follow it.
QString CatalogueSuffix(TLanguage language)
{
    switch (language) {
    case TLanguage::Portuguese:
        return QStringLiteral("pt_BR");
    case TLanguage::Spanish:
        return QStringLiteral("es");
    case TLanguage::French:
        return QStringLiteral("fr");
    case TLanguage::English:
        break;
    }
    return QStringLiteral("en");
}

std::unique_ptr<QTranslator> Loaded(const QString& file)
{
    auto translator = std::make_unique<QTranslator>();
    if (file.isEmpty() || !translator->load(file))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

} // namespace

QString QtCatalogueFile(TLanguage language)
{
    if (language == TLanguage::English)
        return {};
    const QString file = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_")
        + CatalogueSuffix(language) + QStringLiteral(".qm");
    return QFileInfo::exists(file) ? file : QString();
}

QString ProgramCatalogueResource(TLanguage language)
{
    const QString suffix
        = language == TLanguage::Portuguese ? QStringLiteral("pt") : CatalogueSuffix(language);
    return QStringLiteral(":/i18n/quirel_") + suffix + QStringLiteral(".qm");
}

void InstallTranslations(TLanguage language)
{
    RemoveTranslations();
    if (QCoreApplication::instance() == nullptr)
        return;
    Installed().Qt = Loaded(QtCatalogueFile(language));
    Installed().Program = Loaded(ProgramCatalogueResource(language));
}

void RemoveTranslations()
{
    // QTranslator's destructor takes it off the application.
    Installed().Qt.reset();
    Installed().Program.reset();
}
