#pragma once

#include "report/RLFieldBinding.h"
#include "report/RLLabel.h"

class TDataSet;
class TDataSource;
class TField;

/// A label showing a field's display text, or a formula's value, fitted into the Text mask.
class TRLCustomDBText : public TRLCustomLabel {
public:
    explicit TRLCustomDBText(TComponent* owner);
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
    /// The mask: the first "#" takes the data; without "#" the data follows it.
    const QString& Text() const { return m_text; }
    void SetText(const QString& text);
    /// Formats formula values only; a field's own display text is never masked.
    QString DisplayMask;

    TDataSet* GetDataSet() const { return m_binding.GetDataSet(); }
    /// Raises "Não encontrado" when the dataset lacks DataField.
    TField* GetField() const { return m_binding.GetField(); }
    /// The unmasked text: while printing, the field's display text or the formula's value;
    /// otherwise the name of the source.
    QString DataText();
    /// Null gives ""; with DisplayMask a number takes it as a numeric picture and anything else
    /// as an edit mask.
    QString FormatFormulaValue(const QVariant& value) const;
    QString BuildText() override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TRLFieldBinding m_binding;
    QString m_text;
};

class TRLDBText : public TRLCustomDBText {
public:
    explicit TRLDBText(TComponent* owner);
    QString ClassName() const override;
};
