#pragma once

// The expression parser's failures, one message shape each (fixed English texts). They are
// ordinary errors, not silent aborts: a broken formula must reach the preparation's message
// instead of ending the report without a word.

#include <QStringView>

[[noreturn]] void RaiseIncorrectNumberFormat(int position);
[[noreturn]] void RaiseParameterListNotSupported(int position);
[[noreturn]] void RaiseBracketsExpected(int position);
[[noreturn]] void RaiseInlineExpected(int position);
/// Brackets, blocks or operator chains beyond what the parser evaluates without exhausting the stack.
[[noreturn]] void RaiseNestedTooDeeply(int position);
[[noreturn]] void RaiseUndefinedIdentifier(QStringView name);
[[noreturn]] void RaiseWrongNumberOfArguments();
[[noreturn]] void RaiseLeftSideCannotBeAssigned();
/// An operator without the operand at `index` (from 0).
[[noreturn]] void RaiseListIndexOutOfBounds(int index);
[[noreturn]] void RaiseTextTooLong(qsizetype length, qsizetype limit);
