#include "report/RLFieldBinding.h"

#include "db/DataSet.h"
#include "db/DataSource.h"
#include "report/RLErrors.h"
#include "report/RLReport.h"
#include "support/TextUtils.h"

TRLFieldBinding::TRLFieldBinding(TRLCustomControl& control)
    : m_control(control)
{
}

bool TRLFieldBinding::SetDataSource(TDataSource* source)
{
    if (source == m_dataSource)
        return false;
    if (m_dataSource)
        m_dataSource->RemoveFreeNotification(&m_control);
    m_dataSource = source;
    if (m_dataSource)
        m_dataSource->FreeNotification(&m_control);
    return true;
}

bool TRLFieldBinding::SetDataField(const QString& field)
{
    if (field == m_dataField)
        return false;
    if (!field.isEmpty())
        m_dataFormula.clear();
    m_dataField = field;
    return true;
}

bool TRLFieldBinding::SetDataFormula(const QString& formula)
{
    if (formula == m_dataFormula)
        return false;
    if (!formula.isEmpty())
        m_dataField.clear();
    m_dataFormula = formula;
    return true;
}

TDataSet* TRLFieldBinding::GetDataSet() const
{
    return m_dataSource ? m_dataSource->DataSet() : nullptr;
}

TField* TRLFieldBinding::GetField() const
{
    TDataSet* dataSet = GetDataSet();
    if (!dataSet || m_dataField.isEmpty())
        return nullptr;
    // A live field of this dataset with this name is the one FindField gives: names are unique.
    if (m_foundIndex >= 0 && m_foundIndex < dataSet->FieldCount()
        && dataSet->Field(m_foundIndex) == m_foundField
        && SameNameIgnoringCase(m_dataField, m_foundField->FieldName()))
        return m_foundField;
    if (TField* field = dataSet->FindField(m_dataField)) {
        m_foundField = field;
        m_foundIndex = field->Index();
        return field;
    }
    RaiseNotFound(m_control, u".DataField", m_dataField);
}

bool TRLFieldBinding::HasRecord() const
{
    const TDataSet* dataSet = GetDataSet();
    return dataSet && dataSet->Active() && !dataSet->Eof();
}

QVariant TRLFieldBinding::EvaluateFormula() const
{
    TRLCustomReport* report = m_control.OwnerReport();
    return report ? report->EvaluateFormula(m_control, m_dataFormula) : QVariant();
}

QString TRLFieldBinding::SourceName() const
{
    if (!m_control.FriendlyName().isEmpty())
        return m_control.FriendlyName();
    if (!m_dataField.isEmpty()) {
        const TDataSet* dataSet = GetDataSet();
        const TField* field = dataSet ? dataSet->FindField(m_dataField) : nullptr;
        return field ? field->DisplayLabel() : m_dataField;
    }
    if (!m_dataFormula.isEmpty())
        return QLatin1Char('(') + m_dataFormula + QLatin1Char(')');
    return m_control.Name();
}

bool TRLFieldBinding::SourceRemoved(const TComponent* component)
{
    if (!m_dataSource || component != m_dataSource)
        return false;
    m_dataSource = nullptr;
    return true;
}
