#pragma once

/// @file
/// Whole filter runs for a command line: no window, no question asked.

#include <QString>

class TRLGraphicStorage;

// Entries for a command line: whole runs with no window and no question asked. Failures throw
// EReportError with a message for stderr. As in any filter run, a store without an owner and
// without other users frees itself when the run unlinks it.

/// Writes every page into a PDF file; an existing file is replaced only when the new one is
/// complete.
void ExportPagesToPdf(TRLGraphicStorage& pages, const QString& fileName);

/// Prints every page on the named printer, or on the default printer when the name is empty
/// (the first one when there is no default). "Printer not found" when no printer exists, or
/// followed by ": " and the name when the named one does not.
void PrintPagesOnPrinter(TRLGraphicStorage& pages, const QString& printerName);
