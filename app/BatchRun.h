#pragma once

struct TCommandLine;

/// Writes each order of a batch: in turn in this process, or with -j N up to N at once, each by
/// a run of this program of its own. One order failing does not stop the others. Every message
/// names its order; a summary line (written, not found, failed) ends the run unless --quiet.
/// Returns the worst exit code of the orders.
int RunBatch(const TCommandLine& options);
