#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class TComponent;
class TRLCustomReport;

/// The progress window of a preparation, as the report drives it.
class TRLProgress {
public:
    virtual ~TRLProgress() = default;
    /// The number of steps the bar shows.
    virtual void SetMaximum(int maximum) = 0;
    /// One step further.
    virtual void StepIt() = 0;
    /// The line under the bar ("Page 3").
    virtual void SetText(const QString& text) = 0;
};

/// What the print dialog chose.
struct TRLPrintJob {
    /// The first and last page to print, from 1.
    ///@{
    int FromPage = 1;
    int ToPage = 0;
    ///@}
    /// The output filter to run; none means the layers above pick the printer.
    TComponent* Filter = nullptr;
    /// The run goes on in a thread of its own behind a progress window.
    bool InBackground = false;
};

/// The windows the engine reaches without knowing them. The preview layer registers its Qt
/// implementations at start-up; with nothing registered preparation runs without windows, and
/// Preview and Print write a preparation's failure on stderr.
struct TRLUserInterface {
    /// Opens a progress window: caption, number of reports in the chain, and the action of its
    /// cancel button.
    std::function<std::unique_ptr<TRLProgress>(
        const QString& caption, int reportCount, std::function<void()> cancel)>
        CreateProgress;
    /// Shows the failure of a preparation that Preview or Print started.
    std::function<void(const QString& message)> ShowError;
    /// Shows the prepared pages modally; true when the window was shown.
    std::function<bool(TRLCustomReport& report)> ShowPreview;
    /// Runs the print dialog for the report; nothing when the user cancels.
    std::function<std::optional<TRLPrintJob>(TRLCustomReport& report)> RunPrintDialog;
    /// Sends the report's pages to the chosen filter (or the printer).
    std::function<void(TRLCustomReport& report, const TRLPrintJob& job)> RunPrint;
};

/// The process-wide registry.
TRLUserInterface& RLUserInterface();

/// Shows the message through ShowError, or writes it on stderr when nothing is registered.
void ReportErrorMessage(const QString& message);
/// Writes the message on stderr, each '\r' of it as a line break.
void WriteErrorMessage(const QString& message);
