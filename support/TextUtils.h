#pragma once

// Text measuring lives in the platform (one measuring canvas per thread); callers of the
// support routines find it here too.
#include "platform/Measure.h"

#include <QChar>
#include <QString>
#include <QStringView>

class TComponent;

/// Widens a justified line by one blank in the next gap, moving from `cursor` (1-based, updated)
/// toward the start and wrapping once to the end, so blanks spread over the gaps from right to
/// left. False when the text has no inner gap.
bool InsertJustifyBlank(QString& text, int& cursor);

/// The `n`-th (from 1) field of `text` split at `delimiter`; empty fields count; empty when there
/// are fewer than n fields.
QString Token(QStringView text, int n, QChar delimiter);

/// Names compared without case, as field and font names are. Case folding keeps the length, so
/// names of different lengths are told apart without folding; equal names without it too.
bool SameNameIgnoringCase(QStringView a, QStringView b);
/// `ext` with a leading "." unless it is empty or has one.
QString ForceExtDot(const QString& ext);

/// The class name without its leading "T", followed by one more than the largest number that a
/// component of the same owner carries after that prefix (names compared without case).
QString UniqueComponentName(const TComponent& component);
