#include "SampleOrders.h"

#include "app/TelaPrincipal.h"
#include "db/Alias.h"
#include "pages/RLGraphicStorage.h"
#include "report/RLReport.h"
#include "support/FormatSettings.h"
#include "support/LocaleTexts.h"
#include "tools/sampledb/ParadoxWriter.h"
#include "tools/sampledb/SampleData.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

QString SampleDatabaseDirectory()
{
    static QTemporaryDir directory;
    static const bool written = [] {
        if (!directory.isValid())
            return false;
        for (const TSampleTable& table : SampleDatabase()) {
            TPxTableWriter writer(table.fileName, table.columns);
            for (const auto& record : table.records)
                writer.AddRecord(record);
            SaveTableFiles(directory.path(), table.fileName, writer.Write());
        }
        return true;
    }();
    EXPECT_TRUE(written) << "the sample database could not be written to a temporary directory";
    return directory.path();
}

TScopedLocale::TScopedLocale(const QString& localeName, const QByteArray& epoch)
    : m_savedSettings(std::make_unique<TFormatSettings>(FormatSettings()))
    , m_savedEpoch(qgetenv("SOURCE_DATE_EPOCH"))
    , m_hadEpoch(qEnvironmentVariableIsSet("SOURCE_DATE_EPOCH"))
{
    const QLocale locale = LocaleOfPosixName(localeName);
    SetFormatSettings(TFormatSettings::FromLocales(locale, locale));
    QLocale::setDefault(locale);
    SelectLanguage(LanguageOfLocaleName(localeName));
    if (!epoch.isEmpty())
        qputenv("SOURCE_DATE_EPOCH", epoch);
}

TScopedLocale::~TScopedLocale()
{
    if (m_hadEpoch)
        qputenv("SOURCE_DATE_EPOCH", m_savedEpoch);
    else
        qunsetenv("SOURCE_DATE_EPOCH");
    SelectLanguage();
    InitializeFormatSettings();
    SetFormatSettings(*m_savedSettings);
}

TPreparedOrder::TPreparedOrder(const QString& order, const QString& layoutFile)
{
    m_form
        = std::make_unique<TForm1>(nullptr, kBusinessAlias.toString(), SampleDatabaseDirectory(), layoutFile);
    m_form->OpenTables();
    if (!m_form->LocateOrder(order)) {
        ADD_FAILURE() << "order " << order.toStdString() << " is not in the sample database";
        return;
    }
    m_form->RLReport1->ShowProgress = false;
    EXPECT_TRUE(m_form->RLReport1->Prepare()) << "order " << order.toStdString() << " did not prepare";
}

TPreparedOrder::~TPreparedOrder() = default;

TRLGraphicStorage& TPreparedOrder::Pages()
{
    return *m_form->RLReport1->Pages();
}

int TPreparedOrder::PageCount()
{
    return Pages().PageCount();
}
