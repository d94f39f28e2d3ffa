#include "report/RLDataTextControl.h"

#include "report/RLCustomMultiLine.h"
#include "report/RLLabel.h"

template<class Base>
TRLDataTextControl<Base>::TRLDataTextControl(TComponent* owner)
    : Base(owner)
    , m_binding(*this)
{
}

template<class Base> void TRLDataTextControl<Base>::SetDataSource(TDataSource* source)
{
    if (m_binding.SetDataSource(source))
        this->RefreshCaption();
}

template<class Base> void TRLDataTextControl<Base>::SetDataField(const QString& field)
{
    if (m_binding.SetDataField(field))
        this->RefreshCaption();
}

template<class Base> void TRLDataTextControl<Base>::SetDataFormula(const QString& formula)
{
    if (m_binding.SetDataFormula(formula))
        this->RefreshCaption();
}

template<class Base> QString TRLDataTextControl<Base>::DataText()
{
    if (!this->IsPrinting())
        return m_binding.SourceName();
    // Looked up before the record check so that a missing field raises even on an empty dataset.
    const TField* field = m_binding.GetField();
    if (!m_binding.HasRecord())
        return {};
    if (field)
        return FieldText(*field);
    if (!DataFormula().isEmpty())
        return FormulaText(m_binding.EvaluateFormula());
    return {};
}

template<class Base> void TRLDataTextControl<Base>::Notification(TComponent* component, TOperation operation)
{
    Base::Notification(component, operation);
    if (operation == TOperation::opRemove)
        m_binding.SourceRemoved(component);
}

template class TRLDataTextControl<TRLCustomLabel>;
template class TRLDataTextControl<TRLCustomMultiLine>;
