#pragma once

/// @file
/// Reading and writing a report's layout as JSON.

#include <QByteArray>
#include <QString>

class TComponent;
class TRLCustomReport;

/// Layout files: a report, its bands, groups, detail grids and controls as JSON, each component with
/// its class, name, parent and published properties (docs/layout-format.md), plus the Paradox tables
/// and SQL queries its data sources publish.
///
/// Loading builds into `owner`. A data source the layout names is bound to the owner's component of
/// that name; when the owner has none, the layout's table for it is created under `databaseName`
/// (an alias or a directory), or its query (TSqlQuery), with its data source. A query's connection is
/// a URL, made once for the queries that share it (a relative SQLite path is read from the folder of
/// `fileName`), or the name of a TSqlConnection the owner has. Nothing connects while loading. On any
/// fault nothing stays built: the owner is left as it was and EReportError says
/// "file:line:column: what", naming the component. The report evaluates its formulas through an
/// expression parser the owner gets with it.
TRLCustomReport* LoadLayout(
    TComponent& owner, const QByteArray& json, const QString& fileName, const QString& databaseName = {});
/// Reads `path` (a Qt resource path too) and loads it as LoadLayout does.
TRLCustomReport* LoadLayoutFile(TComponent& owner, const QString& path, const QString& databaseName = {});

/// The layout of `report` and of every component inside it, with the tables and queries behind its
/// data sources, as indented UTF-8 JSON; saving what was loaded gives the same text. A query's
/// connection is saved as its name when it has one (the program's own), else as its URL.
QByteArray SaveLayout(const TRLCustomReport& report);
/// Writes SaveLayout's text to `path` whole, or throws EReportError and leaves the old file.
void SaveLayoutFile(const TRLCustomReport& report, const QString& path);
