#pragma once

#include <QString>

class TRLCustomReport;

/// The progress of a headless run as one line on standard error, rewritten in place
/// ("Ordem 7: página 120 de 209"): the preparation's pages, then each filter run's. While it
/// lives it is the registered progress of preparations and filter runs; one at a time.
class TConsoleProgress {
public:
    /// Whether a run shows one: standard error is a terminal and --quiet was not given.
    static bool Wanted(bool quiet);

    /// `label` starts every line ("Ordem 7"); `report`, when given, is the one whose preparation
    /// counts pages.
    TConsoleProgress(const QString& label, const TRLCustomReport* report);
    /// Unregisters and clears the line.
    ~TConsoleProgress();
    TConsoleProgress(const TConsoleProgress&) = delete;
    TConsoleProgress& operator=(const TConsoleProgress&) = delete;
};

/// Replaces the progress line by `text`; nothing is written when the text is already shown.
void ShowProgressLine(const QString& text);
/// Blanks the progress line, so that a message starts at the line's start; nothing when none
/// is shown.
void ClearProgressLine();
