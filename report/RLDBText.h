#pragma once

#include "report/RLFieldBinding.h"
#include "report/RLLabel.h"

class TDataSet;
class TDataSource;
class TField;

/// A label showing a field's display text, or a formula's value, fitted into the Text mask.
/// Set DataSource and DataField; a BeforeText handler may rewrite the text of each print.
class TRLCustomDBText : public TRLCustomLabel {
public:
    /// Bound to nothing, AutoSize on, deleted by `owner`.
    explicit TRLCustomDBText(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

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
    /// The mask: the first "#" takes the data; without "#" the data follows it.
    ///@{
    const QString& Text() const { return m_text; }
    void SetText(const QString& text);
    ///@}
    /// Formats formula values only; a field's own display text is never masked.
    QString DisplayMask;

    /// The data source's dataset; nullptr when there is none.
    TDataSet* GetDataSet() const { return m_binding.GetDataSet(); }
    /// Raises "Não encontrado" when the dataset lacks DataField.
    TField* GetField() const { return m_binding.GetField(); }
    /// The unmasked text: while printing, the field's display text or the formula's value;
    /// otherwise the name of the source.
    QString DataText();
    /// Null gives ""; with DisplayMask a number takes it as a numeric picture and anything else
    /// as an edit mask.
    QString FormatFormulaValue(const QVariant& value) const;

protected:
    /// @cond ENGINE
    QString BuildText() override;
    void Notification(TComponent* component, TOperation operation) override;
    /// @endcond

private:
    TRLFieldBinding m_binding;
    QString m_text;
};

/// The data text component a program creates; see TRLCustomDBText.
class TRLDBText : public TRLCustomDBText {
public:
    /// Bound to nothing, AutoSize on, deleted by `owner`.
    explicit TRLDBText(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond
};
