#pragma once

#include "report/RLCustomMultiLine.h"
#include "report/RLDataTextControl.h"

extern template class TRLDataTextControl<TRLCustomMultiLine>;

/// A multi-line text showing a field's whole text (a memo) or a formula's value; no mask.
class TRLCustomDBMemo : public TRLDataTextControl<TRLCustomMultiLine> {
public:
    explicit TRLCustomDBMemo(TComponent* owner);
    QString ClassName() const override;

protected:
    QString BuildText() override;
    /// The field's whole text: a memo is not cut to its display text.
    QString FieldText(const TField& field) const override;
    QString FormulaText(const QVariant& value) const override;
};

class TRLDBMemo : public TRLCustomDBMemo {
public:
    explicit TRLDBMemo(TComponent* owner);
    QString ClassName() const override;
};
