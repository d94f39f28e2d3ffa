#pragma once

#include <QByteArray>
#include <QString>

class TComponent;
class TRLCustomReport;

/// Layout files: a report, its bands, groups, detail grids and controls as JSON, each component with
/// its class, name, parent and published properties (docs/layout-format.md), plus the Paradox tables
/// its data sources publish.
///
/// Loading builds into `owner`. A data source the layout names is bound to the owner's component of
/// that name; when the owner has none, the layout's table for it is created under `databaseName`
/// (an alias or a directory), with its data source. On any fault nothing stays built: the owner is
/// left as it was and EReportError says "file:line:column: what", naming the component. The report
/// evaluates its formulas through an expression parser the owner gets with it.
TRLCustomReport* LoadLayout(
    TComponent& owner, const QByteArray& json, const QString& fileName, const QString& databaseName = {});
/// Reads `path` (a Qt resource path too) and loads it as LoadLayout does.
TRLCustomReport* LoadLayoutFile(TComponent& owner, const QString& path, const QString& databaseName = {});

/// The layout of `report` and of every component inside it, with the tables behind its data sources,
/// as indented UTF-8 JSON; saving what was loaded gives the same text.
QByteArray SaveLayout(const TRLCustomReport& report);
/// Writes SaveLayout's text to `path` whole, or throws EReportError and leaves the old file.
void SaveLayoutFile(const TRLCustomReport& report, const QString& path);
