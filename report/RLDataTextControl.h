#pragma once

#include "report/RLFieldBinding.h"

#include <QString>
#include <QVariant>

class TComponent;
class TDataSet;
class TDataSource;
class TField;
enum class TOperation;

/// A text control bound to a data source: while printing it shows DataField's text or
/// DataFormula's value, otherwise the name of its source. `Base` is the text control that draws
/// it (TRLCustomLabel or TRLCustomMultiLine); the derived control says how a field and a formula
/// value become text.
template<class Base> class TRLDataTextControl : public Base {
public:
    /// Bound to nothing, deleted by `owner`.
    explicit TRLDataTextControl(TComponent* owner);

    /// Where the field is read at each print; not owned.
    TDataSource* DataSource() const { return m_binding.DataSource(); }
    /// Cleared when the data source is destroyed.
    void SetDataSource(TDataSource* source);
    /// The field's name, matched without regard to case when the report prepares.
    const QString& DataField() const { return m_binding.DataField(); }
    /// A non-empty field empties DataFormula.
    void SetDataField(const QString& field);
    /// An expression over the dataset's fields, evaluated by the report's expression parser.
    const QString& DataFormula() const { return m_binding.DataFormula(); }
    /// A non-empty formula empties DataField.
    void SetDataFormula(const QString& formula);

    /// The data source's dataset; nullptr when there is none.
    TDataSet* GetDataSet() const { return m_binding.GetDataSet(); }
    /// Raises "Não encontrado" when the dataset lacks DataField.
    TField* GetField() const { return m_binding.GetField(); }
    /// The unmasked text: while printing, FieldText or FormulaText ("" off a record);
    /// otherwise the name of the source.
    QString DataText();

protected:
    /// @cond ENGINE
    /// The text of the current record's field.
    virtual QString FieldText(const TField& field) const = 0;
    /// The text of the formula's value, which is invalid without a report or a parser.
    virtual QString FormulaText(const QVariant& value) const = 0;
    void Notification(TComponent* component, TOperation operation) override;
    /// @endcond

private:
    TRLFieldBinding m_binding;
};
