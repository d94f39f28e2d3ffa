#pragma once

#include <QString>

/// The alias whose tables the program reads; the only one with a bundled default.
inline constexpr QStringView kBusinessAlias = u"KORVANE";

/// The directory an alias names, first match wins: `dataDirOption` (the --data option) when not
/// empty; the environment variable QUIREL_ALIAS_<ALIAS>; for KORVANE, the bundled sample database
/// (the installed one if it exists, else the build tree's). Throws EReportError naming the alias,
/// the directory and where it came from when that directory does not exist, or when nothing
/// defines the alias.
QString ResolveAlias(const QString& alias, const QString& dataDirOption);

/// `name` in `directory`, matched without regard to case as the original platform does; the
/// exact name when several or none match.
QString FindFileIgnoringCase(const QString& directory, const QString& name);
