#include "report/RLDBMemo.h"

#include "db/DataSet.h"
#include "report/RLReportFormulas.h"

TRLCustomDBMemo::TRLCustomDBMemo(TComponent* owner)
    : TRLDataTextControl(owner)
{
    RefreshCaption();
}

QString TRLCustomDBMemo::ClassName() const
{
    return QStringLiteral("TRLCustomDBMemo");
}

QString TRLCustomDBMemo::FieldText(const TField& field) const
{
    return field.AsString();
}

QString TRLCustomDBMemo::FormulaText(const QVariant& value) const
{
    return FormulaValueText(value);
}

QString TRLCustomDBMemo::BuildText()
{
    return DataText();
}

TRLDBMemo::TRLDBMemo(TComponent* owner)
    : TRLCustomDBMemo(owner)
{
}

QString TRLDBMemo::ClassName() const
{
    return QStringLiteral("TRLDBMemo");
}
