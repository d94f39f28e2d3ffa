#pragma once

#include <QString>
#include <functional>
#include <ostream>

/// gtest prints QString values in failure messages through this.
void PrintTo(const QString& text, std::ostream* out);

/// The message of the EReportError that `action` throws; fails the test when it throws none.
QString ErrorOf(const std::function<void()>& action);

/// Absolute path of a file under the source tree's tests/ folder.
QString TestSourcePath(const QString& relative);

/// Compares `actual` line by line with tests/golden/<relative>; on a difference reports the
/// first differing line and writes the actual text to the build tree for `diff -u`.
void ExpectMatchesGolden(const QString& actual, const QString& relative);
