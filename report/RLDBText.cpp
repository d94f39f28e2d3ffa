#include "report/RLDBText.h"

#include "db/DataSet.h"
#include "report/RLEditMask.h"
#include "support/FloatFormat.h"
#include "support/Variant.h"

namespace {

bool IsNumeric(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

/// The platform's default conversion of a value to text.
QString VariantText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return TVariant(value.toBool()).ToString();
    case QMetaType::Double:
    case QMetaType::Float:
        return FloatToStr(value.toDouble());
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return TVariant::FromDateTime(value.toDateTime()).ToString();
    default:
        break;
    }
    return value.toString();
}

} // namespace

TRLCustomDBText::TRLCustomDBText(TComponent* owner)
    : TRLDataTextControl(owner)
{
    RefreshCaption();
}

QString TRLCustomDBText::ClassName() const
{
    return QStringLiteral("TRLCustomDBText");
}

void TRLCustomDBText::SetText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    RefreshCaption();
}

QString TRLCustomDBText::FieldText(const TField& field) const
{
    return field.DisplayText();
}

QString TRLCustomDBText::FormulaText(const QVariant& value) const
{
    return FormatFormulaValue(value);
}

QString TRLCustomDBText::FormatFormulaValue(const QVariant& value) const
{
    if (!value.isValid() || value.isNull())
        return {};
    if (DisplayMask.isEmpty())
        return VariantText(value);
    if (IsNumeric(value))
        return FormatFloat(DisplayMask, value.toDouble());
    return FormatMaskText(DisplayMask, VariantText(value));
}

QString TRLCustomDBText::BuildText()
{
    const QString data = DataText();
    if (m_text.isEmpty())
        return data;
    const qsizetype hash = m_text.indexOf(QLatin1Char('#'));
    if (hash < 0)
        return m_text + data;
    QString result = m_text;
    return result.replace(hash, 1, data);
}

TRLDBText::TRLDBText(TComponent* owner)
    : TRLCustomDBText(owner)
{
}

QString TRLDBText::ClassName() const
{
    return QStringLiteral("TRLDBText");
}
