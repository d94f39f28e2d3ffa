#pragma once

/// @file
/// Opening a form's datasets masters first.

class TComponent;

/// Opens every closed dataset `owner` owns, each after the datasets it takes its master record from
/// (MasterSource, a query's ParamSource) when `owner` owns those too: a detail's first run then sees
/// its master's first record, and a detail typed from its result can bind its parameters. Throws the
/// first failing dataset's EReportError; the datasets opened before it stay open.
void OpenDataSets(const TComponent& owner);
