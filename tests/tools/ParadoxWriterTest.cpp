#include "tools/sampledb/ParadoxWriter.h"
#include "db/ParadoxReader.h"
#include "tests/common/TestHelpers.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace paradox;
using namespace Qt::StringLiterals;

namespace {

std::vector<TPxColumn> EveryKind()
{
    return { { u"NOME"_s, TPxFieldType::Alpha, 20 }, { u"VALOR"_s, TPxFieldType::Number, 8 },
        { u"QTD"_s, TPxFieldType::Long, 4 }, { u"DATA"_s, TPxFieldType::Date, 4 },
        { u"ATIVO"_s, TPxFieldType::Logical, 1 }, { u"OBS"_s, TPxFieldType::Memo, 50 },
        { u"FOTO"_s, TPxFieldType::Graphic, 10 } };
}

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

QByteArray SampleFile(const char* name)
{
    QFile file(QStringLiteral(QUIREL_SOURCE_DIR "/tests/data/paradox/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "sample table " << file.fileName().toStdString() << ": "
                      << file.errorString().toStdString();
        return {};
    }
    return file.readAll();
}

} // namespace

TEST(ParadoxWriter, HeaderCarriesTheValuesTheEngineWrites)
{
    TPxTableWriter writer(u"PEDIDOS.DB"_s, EveryKind());
    for (int i = 0; i < 40; ++i)
        writer.AddRecord({ u"x"_s, 1.0, i, QDate(2026, 1, 1), true, QVariant(), QVariant() });
    const QByteArray db = writer.Write().db;
    // Offsets and values from the format notes for a version 7 non-keyed table.
    struct Case {
        int offset;
        QByteArray bytes;
        const char* what;
    };
    const Case cases[] = {
        { 0x00, Hex("6100"), "record size 20+8+4+4+1+50+10 = 97" },
        { 0x02, Hex("0008"), "header size 0x0800" },
        { 0x04, Hex("02"), "non-keyed" },
        { 0x05, Hex("02"), "2048-byte blocks" },
        { 0x06, Hex("28000000"), "40 records" },
        { 0x0A, Hex("0200"), "blocks in use" },
        { 0x0C, Hex("0200"), "blocks in the file: 21 records per block" },
        { 0x0E, Hex("0100"), "first block" },
        { 0x10, Hex("0200"), "last block" },
        { 0x12, Hex("0300"), "change counter" },
        { 0x21, Hex("0700"), "7 fields" },
        { 0x23, Hex("0000"), "no key fields" },
        { 0x25, Hex("00ff00ff"), "not encrypted (v4+ marker)" },
        { 0x29, Hex("11"), "sort order of ANSII850" },
        { 0x2D, Hex("0101"), "change counts" },
        { 0x34, Hex("78000000"), "field list at 0x78" },
        { 0x39, Hex("0c"), "version 7" },
        { 0x3A, Hex("0200"), "max blocks" },
        { 0x3E, Hex("1f0f"), "constant" },
        { 0x40, Hex("0000000000000000"), "no crypt info" },
        { 0x56, Hex("20"), "data file mark" },
        { 0x58, Hex("0c010c01"), "version words" },
        { 0x5C, Hex("00000000"), "second encryption code" },
        { 0x64, Hex("0800"), "numFields + 1" },
        { 0x6A, Hex("e404"), "code page 1252" },
        { 0x6C, Hex("0101"), "constant" },
        { 0x70, Hex("0100"), "change counter" },
        { 0x78,
            Hex("01140608040402040901"
                "0c32100a"),
            "field list: types and sizes" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(db.mid(c.offset, c.bytes.size()).toHex(), c.bytes.toHex()) << c.what;
    const int fieldNumbers = 0x58 + qFromLittleEndian<quint16>(db.constData() + 0x66);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(qFromLittleEndian<quint16>(db.constData() + fieldNumbers + 2 * i), i + 1);
    const int sortOrder = 0x58 + qFromLittleEndian<quint16>(db.constData() + 0x6E);
    EXPECT_EQ(db.mid(sortOrder, 9), QByteArray("ANSII850\0", 9));
    EXPECT_EQ(qFromLittleEndian<quint16>(db.constData() + 0x51), sortOrder + 9);
    EXPECT_EQ(db.size(), 0x800 + 2 * 2048);
    // Blocks: next, previous, (records - 1) x record size.
    EXPECT_EQ(db.mid(0x800, 6).toHex(), Hex("020000009407").toHex()); // 1 -> 2, 21 records
    EXPECT_EQ(db.mid(0x800 + 2048, 6).toHex(), Hex("00000100d206").toHex()); // last, 19 records
}

TEST(ParadoxWriter, ConstantsMatchAnEngineWrittenVersion7Table)
{
    const QByteArray engine = SampleFile("DECIMAL.DB");
    ASSERT_FALSE(engine.isEmpty());
    TPxTableWriter writer(u"DECIMAL.DB"_s, { { u"DECIMAL"_s, TPxFieldType::Number, 8 } });
    for (const double value : { -200.0, -20.0, -1.0, 1.0, 20.0, 200.0, 200.36, 1.37, -1.387 })
        writer.AddRecord({ value });
    const QByteArray ours = writer.Write().db;
    struct Range {
        int offset;
        int size;
        const char* what;
    };
    const Range ranges[] = { { 0x00, 0x12, "sizes, counts and block numbers" },
        { 0x21, 0x0A, "fields, keys, encryption, sort" }, { 0x39, 0x01, "version" },
        { 0x3E, 0x02, "constant" }, { 0x56, 0x01, "data file mark" }, { 0x58, 0x04, "version words" },
        { 0x64, 0x0C, "field count, offsets, code page" } };
    for (const Range& r : ranges)
        EXPECT_EQ(ours.mid(r.offset, r.size).toHex(), engine.mid(r.offset, r.size).toHex()) << r.what;
    // The record block, value for value, as the engine stored the same numbers.
    EXPECT_EQ(ours.mid(0x800, 6 + 9 * 8).toHex(), engine.mid(0x800, 6 + 9 * 8).toHex());
}

TEST(ParadoxWriter, BlobFileHeaderMatchesTheFormatNotes)
{
    TPxTableWriter writer(u"M.DB"_s, { { u"OBS"_s, TPxFieldType::Memo, 11 } });
    writer.AddRecord({ u"texto longo o bastante para sair do leader"_s });
    const QByteArray mb = writer.Write().mb;
    ASSERT_EQ(mb.size(), 2 * 4096);
    struct Case {
        int offset;
        QByteArray bytes;
    };
    const Case cases[] = { { 0x00, Hex("000100") }, { 0x03, Hex("0100") }, { 0x05, Hex("827302002900") },
        { 0x0B, Hex("0010") }, { 0x0D, Hex("0010") }, { 0x0F, Hex("00") }, { 0x10, Hex("10") },
        { 0x11, Hex("4000") }, { 0x13, Hex("0008") }, { 0x29, Hex("a102") }, { 0x38, QByteArray(40, '\0') } };
    for (const Case& c : cases)
        EXPECT_EQ(mb.mid(c.offset, c.bytes.size()).toHex(), c.bytes.toHex()) << "offset " << c.offset;
    const QByteArray engine = SampleFile("memo.mb");
    ASSERT_FALSE(engine.isEmpty());
    EXPECT_EQ(mb.left(0x15).toHex(), engine.left(0x15).toHex());
}

TEST(ParadoxWriter, EveryKindRoundTripsThroughTheReader)
{
    const QByteArray bitmap = "BM" + QByteArray(60, 'x');
    const QString small = u"Observação curta"_s; // fits in the 40-byte leader
    const QString medium(700, u'm'); // a shared block
    const QString exact2048(2048, u'b'); // the largest blob that still shares a block
    const QString large(2049, u'L'); // a block of its own
    const std::vector<std::vector<QVariant>> rows = {
        { u"Ação"_s, -1.387, -256, QDate(1, 1, 1), false, small, bitmap },
        { u"12345678901234567890"_s, 0.0, 0, QDate(9999, 12, 31), true, medium, QVariant() },
        { QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant() },
        { u"z"_s, 1e300, 2147483647, QDate(2026, 12, 8), true, exact2048, QByteArray(5000, 'g') },
        { u"y"_s, -1e-300, -2147483647, QDate(1970, 1, 1), false, large, QVariant() },
    };
    TPxTableWriter writer(u"TODOS.DB"_s, EveryKind());
    for (const auto& row : rows)
        writer.AddRecord(row);
    // Enough records to need several blocks and several shared blob blocks.
    for (int i = 0; i < 130; ++i)
        writer.AddRecord({ u"r%1"_s.arg(i), double(i) / 3, i, QDate(2000, 1, 1).addDays(i), i % 2 == 0,
            QString(300 + i, QChar(u'a' + i % 26)), QVariant() });
    const TPxFiles files = writer.Write();
    const TParadoxReader reader(files.db, files.mb, u"TODOS.DB"_s);
    EXPECT_TRUE(reader.Warnings().isEmpty()) << reader.Warnings().join(u"; "_s).toStdString();
    ASSERT_EQ(reader.RecordCount(), 135);
    for (int r = 0; r < 135; ++r) {
        const std::vector<QVariant> expected = r < 5
            ? rows[size_t(r)]
            : std::vector<QVariant> { u"r%1"_s.arg(r - 5), double(r - 5) / 3, r - 5,
                  QDate(2000, 1, 1).addDays(r - 5), (r - 5) % 2 == 0,
                  QString(300 + r - 5, QChar(u'a' + (r - 5) % 26)), QVariant() };
        for (int f = 0; f < 7; ++f) {
            QVariant actual = reader.Value(r, f);
            if (f == 6 && !actual.isNull()) {
                const QByteArray blob = actual.toByteArray();
                ASSERT_EQ(blob.left(4), Hex("01000001")) << "row " << r;
                EXPECT_EQ(qFromLittleEndian<quint32>(blob.constData() + 4), quint32(blob.size() - 8));
                actual = blob.mid(8);
            }
            EXPECT_EQ(actual, expected[size_t(f)]) << "row " << r << " field " << f;
        }
    }
}

TEST(ParadoxWriter, BlobsGoWhereTheirSizeSaysAndTheLeaderCopiesTheirStart)
{
    TPxTableWriter writer(
        u"B.DB"_s, { { u"OBS"_s, TPxFieldType::Memo, 50 }, { u"FOTO"_s, TPxFieldType::Graphic, 30 } });
    writer.AddRecord({ u"curto"_s, QVariant() });
    writer.AddRecord({ QString(2048, u'b'), QByteArray("BM") + QByteArray(100, 'p') });
    writer.AddRecord({ QString(2049, u'c'), QVariant() });
    const TPxFiles files = writer.Write();
    const int recordSize = 80;
    struct Case {
        int row;
        int field;
        int leader;
        quint32 length;
        quint32 offsetAndIndex;
        const char* what;
    };
    const Case cases[] = {
        { 0, 0, 40, 5, 0, "in the leader: no blob file reference" },
        { 1, 0, 40, 2048, 0x103F, "shared block at 0x1000, first slot 0x3F" },
        { 1, 1, 20, 110, 0x103E, "graphic in the same shared block, next slot" },
        { 2, 0, 40, 2049, 0x20FF, "a block of its own at 0x2000" },
    };
    for (const Case& c : cases) {
        const int field = 0x800 + 6 + c.row * recordSize + (c.field == 0 ? 0 : 50);
        EXPECT_EQ(qFromLittleEndian<quint32>(files.db.constData() + field + c.leader), c.offsetAndIndex)
            << c.what;
        EXPECT_EQ(qFromLittleEndian<quint32>(files.db.constData() + field + c.leader + 4), c.length)
            << c.what;
    }
    // The leader holds the start of the value: the text, or the bitmap without the engine header.
    EXPECT_EQ(files.db.mid(0x800 + 6 + recordSize, 3), QByteArray("bbb"));
    EXPECT_EQ(files.db.mid(0x800 + 6 + recordSize + 50, 3), QByteArray("BMp"));
    // Shared block slot 0x3F: data at chunk 21, 128 chunks, mod 1, 16 bytes in the last chunk.
    EXPECT_EQ(files.mb.mid(0x1000 + 12 + 5 * 0x3F, 5).toHex(), Hex("1580010010").toHex());
    // Single block: type 2, one unit per 4096 bytes of (length + 9).
    EXPECT_EQ(files.mb.mid(0x2000, 9).toHex(),
        Hex("020100"
            "01080000"
            "0100")
            .toHex());
    EXPECT_EQ(files.mb.size(), 3 * 4096);
}

TEST(ParadoxWriter, TextIsWrittenInCodePage1252)
{
    TPxTableWriter writer(u"T.DB"_s, { { u"NOME"_s, TPxFieldType::Alpha, 12 } });
    writer.AddRecord({ u"Ação €漢"_s });
    const QByteArray db = writer.Write().db;
    // a, c-cedilla, a-tilde, o, space, euro sign; a character 1252 lacks becomes "?".
    EXPECT_EQ(db.mid(0x800 + 6, 12).toHex(), Hex("41e7e36f20803f0000000000").toHex());
}

TEST(ParadoxWriter, ValuesThatDoNotFitAreRefusedByName)
{
    struct Case {
        TPxColumn column;
        QVariant value;
        const char* message;
    };
    const Case cases[] = {
        { { u"UF"_s, TPxFieldType::Alpha, 2 }, u"RSX"_s,
            "Writing table \"X.DB\", record 1, field \"UF\": 3 bytes do not fit in 2" },
        { { u"N"_s, TPxFieldType::Number, 8 }, qQNaN(),
            "Writing table \"X.DB\", record 1, field \"N\": not a finite number" },
        { { u"D"_s, TPxFieldType::Date, 4 }, QDate(),
            "Writing table \"X.DB\", record 1, field \"D\": not a date between the years 1 and 9999" },
        { { u"Q"_s, TPxFieldType::Long, 4 }, -2147483647 - 1,
            "Writing table \"X.DB\", record 1, field \"Q\": -2147483648 cannot be stored, its bytes mean "
            "NULL" },
    };
    for (const Case& c : cases) {
        TPxTableWriter writer(u"X.DB"_s, { c.column });
        writer.AddRecord({ c.value });
        EXPECT_EQ(ErrorOf([&] { writer.Write(); }), QString::fromUtf8(c.message));
    }
    EXPECT_EQ(ErrorOf([] {
        TPxTableWriter(u"X.DB"_s, { { u"T"_s, TPxFieldType::Time, 4 } });
    }),
        u"Writing table \"X.DB\", field \"T\": field type not written by this writer"_s);
}

TEST(ParadoxWriter, SavingLeavesNoPartialFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TPxTableWriter writer(u"S.DB"_s, { { u"OBS"_s, TPxFieldType::Memo, 11 } });
    writer.AddRecord({ u"um texto"_s });
    SaveTableFiles(dir.path(), u"S.DB"_s, writer.Write());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({ u"S.DB"_s, u"S.MB"_s }));
    const QString missing = dir.filePath(u"no/such/dir"_s);
    EXPECT_TRUE(ErrorOf([&] {
        SaveTableFiles(missing, u"S.DB"_s, writer.Write());
    }).startsWith(u"Cannot write \""_s + missing + u"/S.DB\""_s));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({ u"S.DB"_s, u"S.MB"_s }));
}
