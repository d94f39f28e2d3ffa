#pragma once

/// @file
/// The Qt windows of the preview, print dialog and progress, plugged into the report's window
/// registry; a program without these calls runs headless.

#include <QString>

class TRLCustomReport;
struct TRLPrintJob;

/// Fills the report's window registry (progress window, preparation error message, preview,
/// print dialog, print output), the filters' progress window and the shared printer's setup
/// dialog with the Qt windows. The
/// program calls it at start-up, after the application object exists; `applicationTitle` is the
/// caption of the preparation error box.
void RegisterPreviewWindows(const QString& applicationTitle);
/// Empties what RegisterPreviewWindows filled.
void UnregisterPreviewWindows();

/// Shows the report's prepared pages in the modal preview, with the global default options or
/// the report's own ones; the report's DefaultFilter becomes the print parameters' filter.
bool ShowReportPreview(TRLCustomReport& report);
/// Sends the report's pages to the job's filter (the shared printer filter when none), with
/// the report's ShowProgress. Needs no window: a headless program may register it too.
void RunReportPrint(TRLCustomReport& report, const TRLPrintJob& job);

/// Loads a page file into a store of its own and shows it in the modal preview with the
/// default options. Throws EReportError, naming the file, when it cannot be read; no window
/// opens then.
void ShowPageFile(const QString& fileName);
