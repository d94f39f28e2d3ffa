#pragma once

#include "report/RLDataTextControl.h"
#include "report/RLLabel.h"

extern template class TRLDataTextControl<TRLCustomLabel>;

/// A label showing a field's display text, or a formula's value, fitted into the Text mask.
/// Set DataSource and DataField; a BeforeText handler may rewrite the text of each print.
class TRLCustomDBText : public TRLDataTextControl<TRLCustomLabel> {
public:
    /// Bound to nothing, AutoSize on, deleted by `owner`.
    explicit TRLCustomDBText(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// The mask: the first "#" takes the data; without "#" the data follows it.
    ///@{
    const QString& Text() const { return m_text; }
    void SetText(const QString& text);
    ///@}
    /// Formats formula values only; a field's own display text is never masked.
    QString DisplayMask;

    /// Null gives ""; with DisplayMask a number takes it as a numeric picture and anything else
    /// as an edit mask.
    QString FormatFormulaValue(const QVariant& value) const;

protected:
    /// @cond ENGINE
    QString BuildText() override;
    /// The field's own display text, never masked.
    QString FieldText(const TField& field) const override;
    QString FormulaText(const QVariant& value) const override;
    /// @endcond

private:
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
