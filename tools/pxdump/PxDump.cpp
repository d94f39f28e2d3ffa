#include "tools/pxdump/PxDump.h"

#include "db/ParadoxReader.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>

using namespace paradox;

namespace {

QString ProductOfVersion(int version)
{
    if (version == 3)
        return QStringLiteral("3.0");
    if (version == 4)
        return QStringLiteral("3.5");
    if (version <= 9)
        return QStringLiteral("4.x");
    if (version <= 11)
        return QStringLiteral("5.x");
    return QStringLiteral("7");
}

/// JSON string: UTF-8 with the characters JSON requires escaped.
QByteArray JsonString(const QString& text)
{
    QByteArray out = "\"";
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (quint8(c) < 0x20)
                out += QStringLiteral("\\u%1").arg(int(c), 4, 16, QChar(u'0')).toLatin1();
            else
                out += c;
        }
    }
    return out + '"';
}

QByteArray JsonNumber(double value)
{
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

QByteArray JsonValue(const TParadoxReader& table, int record, int field)
{
    const QVariant value = table.Value(record, field);
    if (value.isNull())
        return "null";
    switch (table.Fields()[field].type) {
    case TPxFieldType::Alpha:
    case TPxFieldType::Memo:
        return JsonString(value.toString());
    case TPxFieldType::Short:
    case TPxFieldType::Long:
    case TPxFieldType::AutoIncrement:
        return QByteArray::number(value.toInt());
    case TPxFieldType::Currency:
    case TPxFieldType::Number:
    case TPxFieldType::Bcd:
        return JsonNumber(value.toDouble());
    case TPxFieldType::Logical:
        return value.toBool() ? "true" : "false";
    case TPxFieldType::Date:
        return JsonString(value.toDate().toString(u"yyyy-MM-dd"));
    case TPxFieldType::Time:
        return JsonString(value.toTime().toString(u"HH:mm:ss.zzz"));
    case TPxFieldType::Timestamp:
        return JsonString(value.toDateTime().toString(u"yyyy-MM-ddTHH:mm:ss.zzz"));
    case TPxFieldType::Bytes:
    case TPxFieldType::Binary:
    case TPxFieldType::FormattedMemo:
    case TPxFieldType::Ole:
    case TPxFieldType::Graphic:
        return '"' + value.toByteArray().toBase64() + '"';
    }
    return "null";
}

} // namespace

QString DumpStructure(const TParadoxReader& table)
{
    QString out;
    out += QStringLiteral("File: %1\n").arg(table.FileName());
    out += QStringLiteral("Version: %1 (Paradox %2)\n")
               .arg(table.Version())
               .arg(ProductOfVersion(table.Version()));
    out += QStringLiteral("Code page: %1\n").arg(table.CodePage());
    if (!table.SortOrderId().isEmpty())
        out += QStringLiteral("Sort order: %1\n").arg(table.SortOrderId());
    out += QStringLiteral("Table name: %1\n").arg(table.TableName());
    out += QStringLiteral("Keyed: %1\n").arg(table.Keyed() ? u"yes" : u"no");
    out += QStringLiteral("Record size: %1\n").arg(table.RecordSize());
    out += QStringLiteral("Records: %1\n").arg(table.RecordCount());
    out += QStringLiteral("Fields: %1\n").arg(table.Fields().size());
    int number = 0;
    for (const TPxField& field : table.Fields())
        out += QStringLiteral("  %1 %2 %3 %4\n")
                   .arg(++number, 3)
                   .arg(field.name, -25)
                   .arg(PxFieldTypeName(field.type), -14)
                   .arg(field.sizeByte);
    return out;
}

QByteArray DumpJson(const TParadoxReader& table)
{
    QByteArray out = "{\"version\":" + QByteArray::number(table.Version())
        + ",\"codepage\":" + QByteArray::number(table.CodePage()) + ",\"fields\":[";
    const auto& fields = table.Fields();
    for (size_t i = 0; i < fields.size(); ++i) {
        out += i ? ",{" : "{";
        out += "\"name\":" + JsonString(fields[i].name)
            + ",\"type\":" + JsonString(PxFieldTypeName(fields[i].type))
            + ",\"size\":" + QByteArray::number(fields[i].sizeByte) + '}';
    }
    out += "],\"records\":[";
    for (int record = 0; record < table.RecordCount(); ++record) {
        out += record ? ",\n{" : "\n{";
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i)
                out += ',';
            out += JsonString(fields[i].name) + ':' + JsonValue(table, record, int(i));
        }
        out += '}';
    }
    out += "]}\n";
    return out;
}
