#pragma once

#include "report/RLCustomMultiLine.h"
#include "report/RLFieldBinding.h"

class TDataSet;
class TDataSource;
class TField;

/// A multi-line text showing a field's whole text (a memo) or a formula's value; no mask.
class TRLCustomDBMemo : public TRLCustomMultiLine {
public:
    explicit TRLCustomDBMemo(TComponent* owner);
    QString ClassName() const override;

    TDataSource* DataSource() const { return m_binding.DataSource(); }
    /// Cleared when the data source is destroyed.
    void SetDataSource(TDataSource* source);
    const QString& DataField() const { return m_binding.DataField(); }
    /// A non-empty field empties DataFormula.
    void SetDataField(const QString& field);
    const QString& DataFormula() const { return m_binding.DataFormula(); }
    /// A non-empty formula empties DataField.
    void SetDataFormula(const QString& formula);

    TDataSet* GetDataSet() const { return m_binding.GetDataSet(); }
    /// Raises "Não encontrado" when the dataset lacks DataField.
    TField* GetField() const { return m_binding.GetField(); }
    /// While printing the field's whole text or the formula's value; otherwise the source's name.
    QString DataText();

protected:
    QString BuildText() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TRLFieldBinding m_binding;
};

class TRLDBMemo : public TRLCustomDBMemo {
public:
    explicit TRLDBMemo(TComponent* owner);
    QString ClassName() const override;
};
