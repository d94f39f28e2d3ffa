#include "support/LocaleTexts.h"

#include "platform/Exceptions.h"

#include <QFile>
#include <QFileInfo>
#include <array>

namespace {

// The texts are kept exactly as the original tables have them, misspellings and mixed
// languages included: other programs and users compare against these captions.
const char16_t* const kPortugueseTexts[kLocaleTextCount] = {
    u"Imprimindo o relatório...", // 0
    u"Salvando o relatório...", // 1
    u"Preparando o relatório...", // 2
    u"Nenhuma impressora encontrada", // 3
    u"Caminho inválido para a impressora", // 4
    u"Será carregada a configuração padrão", // 5
    u"Erro no driver da impressora", // 6
    u"Página", // 7
    u"Erro durante a preparação do relatório", // 8
    u"Continua...", // 9
    u"Continuação", // 10
    u"Fim", // 11
    u"Arquivo não encontrado", // 12
    u"Nome do arquivo", // 13
    u"Todos os arquivos", // 14
    u"Carregar relatório", // 15
    u"Não encontrado", // 16
    u"Aguarde...", // 17
    u"Concluído", // 18
    u"Cancelar", // 19
    u"Fechar", // 20
    u"Salvar", // 21
    u"Enviar", // 22
    u"Imprimir", // 23
    u"Sobre o", // 24
    u"Pré-visualização", // 25
    u"de", // 26
    u"Zoom", // 27
    u"Primeira página", // 28
    u"Página anterior", // 29
    u"Próxima página", // 30
    u"Última página", // 31
    u"Página inteira", // 32
    u"Largura da página", // 33
    u"Várias páginas", // 34
    u"Configurar impressora", // 35
    u"Salvar em disco", // 36
    u"Enviar para", // 37
    u"Impressora", // 38
    u"Nome", // 39
    u"Imprimir em arquivo", // 40
    u"Imprimir em segundo plano", // 41
    u"Salvar em segundo plano", // 42
    u"Intervalo de páginas", // 43
    u"de", // 44
    u"até", // 45
    u"Tudo", // 46
    u"Páginas", // 47
    u"Seleção", // 48
    u"Cópias", // 49
    u"Número de cópias", // 50
    u"Ok", // 51
    u"Dividir a tela", // 52
    u"Nome inválido", // 53
    u"Nome já utilizado", // 54
    u"Usar Filtro", // 55
    u"Página da Web", // 56
    u"Formato RichText", // 57
    u"Documento PDF", // 58
    u"Planilha Excel", // 59
    u"em", // 60
    u"Formulário", // 61
    u"Padrão", // 62
    u"cols", // 63
    u"Aumentar o zoom", // 64
    u"Diminuir o zoom", // 65
    u"Copiar", // 66
    u"Editar", // 67
    u"Procurar", // 68
    u"Te&xto", // 69
    u"&Próxima", // 70
    u"Palavras &inteiras", // 71
    u"Diferenciar &maiúsculas de minúsculas", // 72
    u"A&cima", // 73
    u"A&baixo", // 74
    u"Direção", // 75
};

const char16_t* const kEnglishTexts[kLocaleTextCount] = {
    u"Printing in progress...", // 0
    u"Saving report...", // 1
    u"Preparing report...", // 2
    u"Printer not found", // 3
    u"Invalid printer path", // 4
    u"Load default configuration", // 5
    u"Printer driver error", // 6
    u"Page", // 7
    u"Error while preparing report", // 8
    u"Continues...", // 9
    u"Continuation", // 10
    u"End", // 11
    u"File not found", // 12
    u"File Name", // 13
    u"All files", // 14
    u"Load report", // 15
    u"Not found", // 16
    u"Wait...", // 17
    u"Finished", // 18
    u"Cancel", // 19
    u"Close", // 20
    u"Save", // 21
    u"Send", // 22
    u"Print", // 23
    u"About", // 24
    u"Preview", // 25
    u"of", // 26
    u"Zoom", // 27
    u"First page", // 28
    u"Prior page", // 29
    u"Next page", // 30
    u"Last page", // 31
    u"Entire page", // 32
    u"Entire width", // 33
    u"Multiple pages", // 34
    u"Configure printer", // 35
    u"Save to file", // 36
    u"Send to", // 37
    u"Printer", // 38
    u"Name", // 39
    u"Print to file", // 40
    u"Print in background", // 41
    u"Save in background", // 42
    u"Page range", // 43
    u"from", // 44
    u"to", // 45
    u"All", // 46
    u"Pages", // 47
    u"Selection", // 48
    u"Copies", // 49
    u"Number of copies", // 50
    u"Ok", // 51
    u"Divide the screen", // 52
    u"Invalid name", // 53
    u"Name already in use", // 54
    u"Use filter", // 55
    u"Web page", // 56
    u"RichText Format", // 57
    u"PDF Document", // 58
    u"Excel spreadsheet", // 59
    u"at", // 60
    u"Form", // 61
    u"Default", // 62
    u"cols", // 63
    u"Increase zoom", // 64
    u"Decrease zoom", // 65
    u"Copy", // 66
    u"Edit", // 67
    u"Find", // 68
    u"Te&xt", // 69
    u"Find &Next", // 70
    u"&Whole words only", // 71
    u"&Match Case", // 72
    u"&Up", // 73
    u"&Down", // 74
    u"Direction", // 75
};

const char16_t* const kFrenchTexts[kLocaleTextCount] = {
    u"Impression du rapport...", // 0
    u"Sauver le rapport...", // 1
    u"Préparation du rapport...", // 2
    u"Imprimante non trouvée", // 3
    u"Invalid printer path", // 4
    u"Chargement de la configuration standard", // 5
    u"Erreur dans le driver d'impression", // 6
    u"Page", // 7
    u"Erreur durant la prépartaion du rapport", // 8
    u"Saut de page...", // 9
    u"A suivre", // 10
    u"Fin", // 11
    u"Fichier non trouvé", // 12
    u"Nom de Fichier", // 13
    u"Tous les fichiers", // 14
    u"Ouvrir rapport", // 15
    u"Non trouvé", // 16
    u"Patientez...", // 17
    u"Fini", // 18
    u"Annulé", // 19
    u"Fermé", // 20
    u"Sauver", // 21
    u"Envoyez", // 22
    u"Imprimer", // 23
    u"A propos de", // 24
    u"Aperçu avant impression", // 25
    u"de", // 26
    u"Zoom", // 27
    u"Première page", // 28
    u"Page précédente", // 29
    u"Page suivante", // 30
    u"Dernière page", // 31
    u"Page entière", // 32
    u"Pleine largeur", // 33
    u"Plusieurs pages", // 34
    u"Configuration de l'imprimante", // 35
    u"Enregistrer sous", // 36
    u"Envoyez à", // 37
    u"Imprimante", // 38
    u"Nom", // 39
    u"Imprimer dans un fichier", // 40
    u"Imprimer dans background", // 41
    u"Enregistrer dans background", // 42
    u"Intervalle de pages", // 43
    u"de", // 44
    u"à", // 45
    u"Tout", // 46
    u"Pages", // 47
    u"Sélection", // 48
    u"Copies", // 49
    u"Nombre de copies", // 50
    u"Ok", // 51
    u"Dividir a tela", // 52
    u"Nom inadmissible", // 53
    u"Nom reproduit", // 54
    u"Use filter", // 55
    u"Page de Web", // 56
    u"Formato RichText", // 57
    u"Documento PDF", // 58
    u"Excel tableur", // 59
    u"à", // 60
    u"Formulaire", // 61
    u"Défaut", // 62
    u"cols", // 63
    u"Grandir zoom", // 64
    u"Réduire zoom", // 65
    u"Copier", // 66
    u"Edit", // 67
    u"Trouvaille", // 68
    u"Te&xte", // 69
    u"A&près", // 70
    u"Mots &entiers seulement", // 71
    u"Cas d'allu&mette", // 72
    u"Le &Haut", // 73
    u"Le &bas", // 74
    u"Direction", // 75
};

const char16_t* const kSpanishTexts[kLocaleTextCount] = {
    u"Impresión en marcha...", // 0
    u"Guardando el informe...", // 1
    u"Preparación del informe...", // 2
    u"Impresora no encontrada", // 3
    u"Caminho inválido para a impressora", // 4
    u"Cargar la configuración estándar", // 5
    u"Error en driver de la impresora", // 6
    u"Página", // 7
    u"Un error ocurrió mientras se preparaba el informe", // 8
    u"Continúa...", // 9
    u"Continuación", // 10
    u"Extremo", // 11
    u"Archivo no encontrado", // 12
    u"Nombre del Archivo", // 13
    u"Todos los archivos", // 14
    u"Cargar el informe", // 15
    u"No encontrado", // 16
    u"Espera...", // 17
    u"Finalizado", // 18
    u"Cancelar", // 19
    u"Cerrar", // 20
    u"Guardar", // 21
    u"Enviar", // 22
    u"Imprimir", // 23
    u"Sobre", // 24
    u"Ver", // 25
    u"de", // 26
    u"Zoom", // 27
    u"Primera página", // 28
    u"Página anterior", // 29
    u"Página siguiente", // 30
    u"Última página", // 31
    u"Página entera", // 32
    u"Ancho completo", // 33
    u"Varias páginas", // 34
    u"Configurar la impresora", // 35
    u"Guardar en un archivo", // 36
    u"Envíar a", // 37
    u"Impresora", // 38
    u"Nombre", // 39
    u"Imprimir a un archivo", // 40
    u"Imprimir en background", // 41
    u"Guardar en background", // 42
    u"Intervalo de páginas", // 43
    u"de", // 44
    u"a", // 45
    u"Todas", // 46
    u"Páginas", // 47
    u"Selección", // 48
    u"Copias", // 49
    u"Número de copias", // 50
    u"Ok", // 51
    u"Dividir la pantalla", // 52
    u"Nombre inválido", // 53
    u"Nombre ya en uso", // 54
    u"Usar Filtro", // 55
    u"Página Web", // 56
    u"Formato RichText", // 57
    u"Documento PDF", // 58
    u"Planilha Excel", // 59
    u"en", // 60
    u"Formulario", // 61
    u"Estándar", // 62
    u"cols", // 63
    u"Aumentar zoom", // 64
    u"Disminuir zoom", // 65
    u"Copiar", // 66
    u"Editar", // 67
    u"Buscar", // 68
    u"Te&xto", // 69
    u"&Siguiente", // 70
    u"Palabras &completas sólamente", // 71
    u"Diferenciar &mayúsculas y minúsculas", // 72
    u"En&cima", // 73
    u"&Abajo", // 74
    u"Dirección", // 75
};

constexpr QLatin1StringView kLogBaseName("ZAvu.log");
constexpr QLatin1StringView kLogNameBeforeStartup("zavu.log");

std::array<QString, kLocaleTextCount>& LiveTexts()
{
    static std::array<QString, kLocaleTextCount> texts;
    return texts;
}

QString& LogPath()
{
    static QString path = QString(kLogNameBeforeStartup);
    return path;
}

const char16_t* const* TableOf(TLanguage language)
{
    switch (language) {
    case TLanguage::Portuguese:
        return kPortugueseTexts;
    case TLanguage::French:
        return kFrenchTexts;
    case TLanguage::Spanish:
        return kSpanishTexts;
    case TLanguage::English:
        break;
    }
    return kEnglishTexts;
}

void CheckTextNumber(int n)
{
    if (n < 0 || n >= kLocaleTextCount)
        throw EReportError(QStringLiteral("Localized text number %1 is out of range (0 to %2)")
                               .arg(n)
                               .arg(kLocaleTextCount - 1));
}

QString ExecutableDirectory()
{
    // The real path of the running program, independent of the working directory and of argv[0].
    const QFileInfo executable(QStringLiteral("/proc/self/exe"));
    return QFileInfo(executable.canonicalFilePath()).absolutePath();
}

} // namespace

TLanguage LanguageOfLocaleName(QStringView localeName)
{
    qsizetype end = 0;
    while (end < localeName.size() && localeName[end].isLetter())
        ++end;
    const QString primary = localeName.first(end).toString().toLower();
    if (primary == u"pt")
        return TLanguage::Portuguese;
    if (primary == u"es")
        return TLanguage::Spanish;
    if (primary == u"fr")
        return TLanguage::French;
    return TLanguage::English;
}

TLanguage LanguageFromEnvironment()
{
    for (const char* variable : { "LC_ALL", "LC_MESSAGES", "LANG" }) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return LanguageOfLocaleName(value);
    }
    return TLanguage::English;
}

void SelectLanguage(TLanguage language)
{
    const char16_t* const* table = TableOf(language);
    for (int n = 0; n < kLocaleTextCount; ++n)
        LiveTexts()[n] = QString::fromUtf16(table[n]);
}

void SelectLanguage()
{
    SelectLanguage(LanguageFromEnvironment());
}

void ClearLocaleTexts()
{
    for (QString& text : LiveTexts())
        text.clear();
}

QString LocaleText(int n)
{
    CheckTextNumber(n);
    return LiveTexts()[n];
}

QString LocaleText(TLocaleTextId id)
{
    return LocaleText(int(id));
}

QString LanguageText(TLanguage language, int n)
{
    CheckTextNumber(n);
    return QString::fromUtf16(TableOf(language)[n]);
}

QString LanguageText(TLanguage language, TLocaleTextId id)
{
    return LanguageText(language, int(id));
}

QString LogFileName()
{
    return LogPath();
}

void InitializeLogFile()
{
    LogPath() = ExecutableDirectory() + u'/' + kLogBaseName;
    if (QFileInfo::exists(LogPath()) || QFileInfo(LogPath()).isSymLink())
        QFile::remove(LogPath());
}

void ClearLogFileName()
{
    LogPath() = QString(kLogNameBeforeStartup);
}
