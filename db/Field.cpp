#include "db/Field.h"

#include "db/DataSet.h"
#include "db/DbErrors.h"
#include "db/FieldValue.h"
#include "db/GraphicBlob.h"
#include "platform/Exceptions.h"
#include "platform/Picture.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

QString FieldTypeName(TFieldType type)
{
    switch (type) {
    case TFieldType::ftString:
        return QStringLiteral("string");
    case TFieldType::ftSmallint:
        return QStringLiteral("smallint");
    case TFieldType::ftInteger:
        return QStringLiteral("integer");
    case TFieldType::ftAutoInc:
        return QStringLiteral("autoincrement");
    case TFieldType::ftBoolean:
        return QStringLiteral("boolean");
    case TFieldType::ftFloat:
        return QStringLiteral("float");
    case TFieldType::ftCurrency:
        return QStringLiteral("currency");
    case TFieldType::ftBCD:
        return QStringLiteral("BCD");
    case TFieldType::ftDate:
        return QStringLiteral("date");
    case TFieldType::ftTime:
        return QStringLiteral("time");
    case TFieldType::ftDateTime:
        return QStringLiteral("timestamp");
    case TFieldType::ftBytes:
        return QStringLiteral("bytes");
    case TFieldType::ftMemo:
        return QStringLiteral("memo");
    case TFieldType::ftFmtMemo:
        return QStringLiteral("formatted memo");
    case TFieldType::ftGraphic:
        return QStringLiteral("graphic");
    case TFieldType::ftBlob:
        return QStringLiteral("binary");
    case TFieldType::ftOle:
        return QStringLiteral("OLE");
    }
    return QStringLiteral("unknown");
}

namespace {

struct TFieldTypeIdentifier {
    TFieldType type;
    const char16_t* identifier;
};

constexpr TFieldTypeIdentifier kFieldTypeIdentifiers[] = {
    { TFieldType::ftString, u"ftString" },
    { TFieldType::ftSmallint, u"ftSmallint" },
    { TFieldType::ftInteger, u"ftInteger" },
    { TFieldType::ftAutoInc, u"ftAutoInc" },
    { TFieldType::ftBoolean, u"ftBoolean" },
    { TFieldType::ftFloat, u"ftFloat" },
    { TFieldType::ftCurrency, u"ftCurrency" },
    { TFieldType::ftBCD, u"ftBCD" },
    { TFieldType::ftDate, u"ftDate" },
    { TFieldType::ftTime, u"ftTime" },
    { TFieldType::ftDateTime, u"ftDateTime" },
    { TFieldType::ftBytes, u"ftBytes" },
    { TFieldType::ftMemo, u"ftMemo" },
    { TFieldType::ftFmtMemo, u"ftFmtMemo" },
    { TFieldType::ftGraphic, u"ftGraphic" },
    { TFieldType::ftBlob, u"ftBlob" },
    { TFieldType::ftOle, u"ftOle" },
};

} // namespace

QString FieldTypeIdentifier(TFieldType type)
{
    for (const TFieldTypeIdentifier& entry : kFieldTypeIdentifiers)
        if (entry.type == type)
            return QString::fromUtf16(entry.identifier);
    return {};
}

std::optional<TFieldType> FieldTypeOfIdentifier(QStringView identifier)
{
    for (const TFieldTypeIdentifier& entry : kFieldTypeIdentifiers)
        if (identifier == QStringView(entry.identifier))
            return entry.type;
    return std::nullopt;
}

TField::TField(TDataSet* dataSet, int index, const QString& fieldName, TFieldType type, int size)
    : m_dataSet(dataSet)
    , m_index(index)
    , m_fieldName(fieldName)
    , m_type(type)
    , m_size(type == TFieldType::ftString || type == TFieldType::ftBytes ? size : 0)
{
}

QString TField::DisplayLabel() const
{
    return m_displayLabel.isEmpty() ? m_fieldName : m_displayLabel;
}

bool TField::IsBlob() const
{
    switch (m_type) {
    case TFieldType::ftMemo:
    case TFieldType::ftFmtMemo:
    case TFieldType::ftGraphic:
    case TFieldType::ftBlob:
    case TFieldType::ftOle:
        return true;
    default:
        return false;
    }
}

bool TField::IsNull() const
{
    return Value().isNull();
}

QVariant TField::Value() const
{
    return m_dataSet->CurrentValue(*this);
}

QString TField::DisplayText() const
{
    const QVariant value = Value();
    if (value.isNull())
        return {};
    switch (m_type) {
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
        return FormatGeneralFloat(value.toDouble());
    case TFieldType::ftDate:
        return FormatShortDate(value.toDate());
    case TFieldType::ftTime:
        return value.toTime().toString(u"hh:mm:ss");
    case TFieldType::ftDateTime:
        return FormatShortDate(value.toDateTime().date()) + u' '
            + value.toDateTime().time().toString(u"hh:mm:ss");
    case TFieldType::ftBoolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case TFieldType::ftFmtMemo:
    case TFieldType::ftGraphic:
    case TFieldType::ftBlob:
    case TFieldType::ftOle:
    case TFieldType::ftBytes:
        // Binary content has no readable form; the kind says what is there.
        return u'(' + FieldTypeName(m_type).toUpper() + u')';
    default:
        return value.toString();
    }
}

QString TField::AsString() const
{
    switch (m_type) {
    case TFieldType::ftFmtMemo:
    case TFieldType::ftGraphic:
    case TFieldType::ftBlob:
    case TFieldType::ftOle:
    case TFieldType::ftBytes:
        return {};
    default:
        return DisplayText();
    }
}

double TField::AsFloat() const
{
    const QVariant value = Value();
    if (value.isNull())
        return 0;
    const std::optional<QVariant> number = ConvertToFieldType(value, TFieldType::ftFloat);
    return number && !number->isNull() ? number->toDouble() : 0;
}

int TField::AsInteger() const
{
    const QVariant value = Value();
    if (value.isNull())
        return 0;
    const std::optional<QVariant> number = ConvertToFieldType(value, TFieldType::ftInteger);
    return number && !number->isNull() ? number->toInt() : 0;
}

QByteArray TField::AsBytes() const
{
    const QVariant value = Value();
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

QImage TField::Picture() const
{
    const QByteArray bytes = AsBytes();
    if (bytes.isEmpty())
        return {};
    if (bytes == m_pictureBytes)
        return m_picture;
    try {
        QImage picture = LoadPicture(GraphicPayload(bytes));
        m_pictureBytes = bytes;
        m_picture = picture;
        return picture;
    } catch (const EReportError& error) {
        RaiseNotAPicture(*m_dataSet, m_fieldName, error.Message());
    }
}
