#include "report/RLDBMemo.h"

#include "db/DataSet.h"
#include "report/RLReportFormulas.h"

TRLCustomDBMemo::TRLCustomDBMemo(TComponent* owner)
    : TRLCustomMultiLine(owner)
    , m_binding(*this)
{
    RefreshCaption();
}

QString TRLCustomDBMemo::ClassName() const
{
    return QStringLiteral("TRLCustomDBMemo");
}

void TRLCustomDBMemo::SetDataSource(TDataSource* source)
{
    if (m_binding.SetDataSource(source))
        RefreshCaption();
}

void TRLCustomDBMemo::SetDataField(const QString& field)
{
    if (m_binding.SetDataField(field))
        RefreshCaption();
}

void TRLCustomDBMemo::SetDataFormula(const QString& formula)
{
    if (m_binding.SetDataFormula(formula))
        RefreshCaption();
}

void TRLCustomDBMemo::Notification(TComponent* component, TOperation operation)
{
    TRLCustomMultiLine::Notification(component, operation);
    if (operation == TOperation::opRemove)
        m_binding.SourceRemoved(component);
}

QString TRLCustomDBMemo::DataText()
{
    if (!IsPrinting())
        return m_binding.SourceName();
    const TField* field = m_binding.GetField();
    if (!m_binding.HasRecord())
        return {};
    if (field)
        return field->AsString();
    if (!DataFormula().isEmpty())
        return FormulaValueText(m_binding.EvaluateFormula());
    return {};
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
