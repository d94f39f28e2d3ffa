#include "db/Table.h"
#include "db/Alias.h"
#include "db/DataSource.h"
#include "platform/Exceptions.h"
#include "tests/common/TestHelpers.h"
#include "tests/db/SampleTables.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

/// Sets an environment variable for one test and restores it.
class EnvironmentGuard {
public:
    EnvironmentGuard(const char* name, const QString& value)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_previous(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value.toLocal8Bit());
    }
    ~EnvironmentGuard()
    {
        if (m_had)
            qputenv(m_name, m_previous);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_previous;
};

} // namespace

TEST(Table, OpensWithDeclaredFieldsAndReadsInFileOrder)
{
    TTable customers(nullptr);
    customers.SetDatabaseName(SampleDir());
    customers.SetTableName(u"customer.db"_s); // any case, as on the original platform
    customers.AddField(u"CustNo"_s, TFieldType::ftInteger);
    customers.AddField(u"EMail"_s, TFieldType::ftString, 100);
    customers.AddField(u"Comments"_s, TFieldType::ftMemo);
    customers.AddField(u"DateEntered"_s, TFieldType::ftDate);
    customers.Open();
    EXPECT_EQ(customers.RecordCount(), 20);
    EXPECT_EQ(customers.FieldCount(), 4);
    EXPECT_EQ(customers.FieldByName(u"EMAIL")->AsString(), u"luke@fun.com"_s);
    EXPECT_EQ(customers.FieldByName(u"DateEntered")->Value().toDate(), QDate(1996, 2, 2));
    ASSERT_TRUE(customers.Locate(u"CustNo", u"4"_s));
    EXPECT_EQ(customers.FieldByName(u"Comments")->AsString().size(), 56864);
    EXPECT_FALSE(customers.Locate(u"CustNo", u"quatro"_s));
    EXPECT_EQ(customers.FieldByName(u"CustNo")->AsInteger(), 4);
}

TEST(Table, WithoutDeclaredFieldsTakesTheStoredOnes)
{
    TTable decimals(nullptr);
    decimals.SetDatabaseName(SampleDir());
    decimals.SetTableName(u"DECIMAL.DB"_s);
    decimals.SetIndexFieldNames(u"DECIMAL"_s);
    decimals.Open();
    ASSERT_EQ(decimals.FieldCount(), 1);
    EXPECT_EQ(decimals.Field(0)->DataType(), TFieldType::ftFloat);
    std::vector<double> sorted;
    for (decimals.First(); !decimals.Eof(); decimals.Next())
        sorted.push_back(decimals.Field(0)->AsFloat());
    EXPECT_EQ(sorted, (std::vector<double> { -200, -20, -1.387, -1, 1, 1.37, 20, 200, 200.36 }));
    EXPECT_TRUE(decimals.Locate(u"DECIMAL", u"200.36"_s));
    EXPECT_FALSE(decimals.Locate(u"DECIMAL", u"200.3"_s));
}

TEST(Table, StructureMismatchNamesTableFieldAndTypes)
{
    const QString file = QDir(SampleDir()).filePath(u"GENERAL.DB"_s);
    struct Case {
        const char* field;
        TFieldType type;
        QString message;
    };
    const Case cases[] = {
        { "NAME", TFieldType::ftFloat,
            u"Table \""_s + file + u"\": field \"NAME\" is declared float but stored as alpha"_s },
        { "ID", TFieldType::ftString,
            u"Table \""_s + file + u"\": field \"ID\" is declared string but stored as long"_s },
        { "OBS", TFieldType::ftMemo,
            u"Table \""_s + file + u"\": the declared field \"OBS\" (memo) is not in the stored table"_s },
    };
    for (const Case& c : cases) {
        TTable table(nullptr);
        table.SetDatabaseName(SampleDir());
        table.SetTableName(u"GENERAL.DB"_s);
        table.AddField(QString::fromLatin1(c.field), c.type);
        EXPECT_EQ(ErrorOf([&] { table.Open(); }), c.message) << c.field;
        EXPECT_FALSE(table.Active()) << c.field;
    }
    // A currency column reads as a declared float.
    TTable table(nullptr);
    table.SetDatabaseName(SampleDir());
    table.SetTableName(u"GENERAL.DB"_s);
    table.AddField(u"MONEYS"_s, TFieldType::ftFloat);
    table.AddField(u"ID"_s, TFieldType::ftInteger);
    table.Open();
    EXPECT_EQ(table.FieldByName(u"MONEYS")->AsFloat(), 100.0);
    EXPECT_EQ(ErrorOf([&] { table.SetTableName(u"X.DB"_s); }),
        u"TTable: cannot change TableName while the dataset is open"_s);
}

TEST(Table, MissingFileIsAnOpenErrorNamingIt)
{
    TTable table(nullptr);
    table.SetDatabaseName(SampleDir());
    table.SetTableName(u"OrdemCompra.DB"_s);
    EXPECT_EQ(ErrorOf([&] { table.Open(); }),
        u"Paradox table \""_s + QDir(SampleDir()).filePath(u"OrdemCompra.DB"_s)
            + u"\": the file does not exist"_s);
    EXPECT_FALSE(table.Active());
}

TEST(Table, OpensUnderTheAliasFromTheEnvironment)
{
    const EnvironmentGuard env("QUIREL_ALIAS_KORVANE", SampleDir());
    TTable table(nullptr);
    table.SetDatabaseName(u"KORVANE"_s);
    table.SetTableName(u"logical.db"_s);
    table.Open();
    EXPECT_EQ(table.RecordCount(), 4);
    EXPECT_EQ(table.FilePath(), QDir(SampleDir()).filePath(u"logical.db"_s));
}

TEST(Table, DataDirectoryIsWhereItsAliasPointsBeforeTheEnvironment)
{
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    const EnvironmentGuard env("QUIREL_ALIAS_KORVANE", elsewhere.path());
    TTable table(nullptr);
    table.SetDatabaseName(u"KORVANE"_s);
    table.SetDataDirectory(SampleDir());
    table.SetTableName(u"logical.db"_s);
    table.Open();
    EXPECT_EQ(table.RecordCount(), 4);
    EXPECT_EQ(table.FilePath(), QDir(SampleDir()).filePath(u"logical.db"_s));
    EXPECT_EQ(ErrorOf([&] { table.SetDataDirectory(elsewhere.path()); }),
        u"TTable: cannot change DataDirectory while the dataset is open"_s);

    // Another table of the same alias is not moved by it: nothing is process-wide.
    TTable other(nullptr);
    other.SetDatabaseName(u"KORVANE"_s);
    other.SetTableName(u"logical.db"_s);
    EXPECT_EQ(ErrorOf([&] { other.Open(); }),
        u"Paradox table \""_s + QDir(elsewhere.path()).filePath(u"logical.db"_s)
            + u"\": the file does not exist"_s);
}

TEST(Alias, DataOptionThenEnvironmentThenBundledDefault)
{
    QTemporaryDir option;
    QTemporaryDir fromEnvironment;
    ASSERT_TRUE(option.isValid() && fromEnvironment.isValid());
    const QString missing = option.filePath(u"absent"_s);
    {
        const EnvironmentGuard env("QUIREL_ALIAS_KORVANE", fromEnvironment.path());
        EXPECT_EQ(ResolveAlias(u"KORVANE"_s, option.path()), option.path());
        EXPECT_EQ(ResolveAlias(u"KORVANE"_s, QString()), fromEnvironment.path());
        EXPECT_EQ(ErrorOf([&] { ResolveAlias(u"KORVANE"_s, missing); }),
            u"Alias KORVANE: directory \""_s + missing + u"\" (from --data) does not exist"_s);
    }
    {
        const EnvironmentGuard env("QUIREL_ALIAS_KORVANE", missing);
        EXPECT_EQ(ErrorOf([&] { ResolveAlias(u"KORVANE"_s, QString()); }),
            u"Alias KORVANE: directory \""_s + missing + u"\" (from QUIREL_ALIAS_KORVANE) does not exist"_s);
    }
    {
        const EnvironmentGuard env("QUIREL_ALIAS_KORVANE", QString());
        const EnvironmentGuard other("QUIREL_ALIAS_OUTRO", QString());
        EXPECT_EQ(ErrorOf([&] { ResolveAlias(u"OUTRO"_s, QString()); }),
            u"Alias OUTRO: not defined; give --data DIR or set QUIREL_ALIAS_OUTRO"_s);
        // The bundled default is a directory of the build or the installation, whichever exists.
        const QString bundled = [] {
            try {
                return ResolveAlias(u"KORVANE"_s, QString());
            } catch (const EReportError& error) {
                return error.Message();
            }
        }();
        EXPECT_TRUE(
            bundled.endsWith(u"/sampledb") || bundled.contains(u"(the bundled sample database; not built?)"))
            << bundled.toStdString();
    }
}

TEST(Alias, FileNamesMatchWithoutRegardToCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile(dir.filePath(u"PARAMETR.DB"_s)).open(QIODevice::WriteOnly);
    EXPECT_EQ(FindFileIgnoringCase(dir.path(), u"Parametr.DB"_s), dir.filePath(u"PARAMETR.DB"_s));
    EXPECT_EQ(FindFileIgnoringCase(dir.path(), u"Absent.DB"_s), dir.filePath(u"Absent.DB"_s));
    QFile(dir.filePath(u"parametr.db"_s)).open(QIODevice::WriteOnly);
    EXPECT_EQ(
        FindFileIgnoringCase(dir.path(), u"PARAMETR.DB"_s), dir.filePath(u"PARAMETR.DB"_s)); // exact wins
}
