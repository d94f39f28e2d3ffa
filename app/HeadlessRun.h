#pragma once

struct TCommandLine;

/// Prepares the order once (or reads the --view page file) and writes every output the command
/// line asks for, with no window. Problems go to stderr; returns kExitSuccess, kExitOrderNotFound
/// or kExitFailure.
int RunHeadless(const TCommandLine& options);
