#pragma once

#include <QString>

struct TCommandLine;

/// Writes every output the command line asks for, with no window: one order (or the --view
/// page file) prepared once, or a batch of orders. Problems go to stderr; returns
/// kExitSuccess, kExitOrderNotFound or kExitFailure (a batch the worst of its orders').
int RunHeadless(const TCommandLine& options);

/// One order of `options` (its file names already that order's) or the --view page file. With
/// a `label` ("Ordem 7") every message starts with it, as the orders of a batch need.
int RunOneExport(const TCommandLine& options, const QString& label = {});

/// "Ordem 7": how messages and the progress line name an order.
QString OrderLabel(const QString& order);
