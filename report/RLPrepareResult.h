#pragma once

#include <QString>

/// How a report's preparation ended.
enum class TRLPrepareOutcome {
    /// Every page is in the report's page store.
    Prepared,
    /// A BeforePrint handler of the report (or of a report chained after it) chose not to print.
    Declined,
    /// The progress window's cancel button, or an EAbort raised by a handler.
    Cancelled,
    /// An error stopped it; the message says which.
    Failed,
};

/// What TRLCustomReport::Prepare gives its caller. Tested as a bool it is true only when the
/// pages are ready, so `if (!report.Prepare())` reads as before; nothing has been shown to anyone.
struct TRLPrepareResult {
    /// How it ended.
    TRLPrepareOutcome Outcome = TRLPrepareOutcome::Failed;
    /// For Failed: the report's name, "Error while preparing report", a line break (a carriage
    /// return) and the cause, in the user's language. Empty for the other outcomes.
    QString Message;

    /// True when the pages are ready.
    explicit operator bool() const { return Outcome == TRLPrepareOutcome::Prepared; }
};
