#pragma once

// The variant's failures, one message shape each.

#include "support/Variant.h"

#include <QStringView>

[[noreturn]] void RaiseCannotConvert(TVariantType from, TVariantType to);
[[noreturn]] void RaiseConversionOverflow(TVariantType from, TVariantType to);
/// `operation` is the operator's symbol ("+", "div", "not").
[[noreturn]] void RaiseInvalidOperation(QStringView operation, const TVariant& a, const TVariant& b);
[[noreturn]] void RaiseInvalidOperation(QStringView operation, const TVariant& a);
[[noreturn]] void RaiseDivisionByZero();
[[noreturn]] void RaiseFloatDivisionByZero();
