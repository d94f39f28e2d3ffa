#pragma once

#include "report/RLCustomMultiLine.h"
#include "report/RLDataTextControl.h"

extern template class TRLDataTextControl<TRLCustomMultiLine>;

/// A multi-line text showing a field's whole text (a memo) or a formula's value; no mask.
class TRLCustomDBMemo : public TRLDataTextControl<TRLCustomMultiLine> {
public:
    /// 185 x 89 pixels, WordWrap and AutoSize on, bound to nothing, deleted by `owner`.
    explicit TRLCustomDBMemo(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

protected:
    /// @cond ENGINE
    QString BuildText() override;
    /// The field's whole text: a memo is not cut to its display text.
    QString FieldText(const TField& field) const override;
    QString FormulaText(const QVariant& value) const override;
    /// @endcond
};

/// The data memo component a program creates; see TRLCustomDBMemo.
class TRLDBMemo : public TRLCustomDBMemo {
public:
    /// 185 x 89 pixels, WordWrap and AutoSize on, bound to nothing, deleted by `owner`.
    explicit TRLDBMemo(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond
};
