#pragma once

/// @file
/// The progress window a filter run shows, as a factory the preview layer registers.

#include <QString>
#include <functional>
#include <memory>

/// The progress window of a filter run, as the filters drive it. The preview layer registers a
/// window; a headless program registers nothing and runs show no progress. Every call, the
/// destructor included (which closes the window), is made on the GUI thread.
class TRLFilterProgress {
public:
    virtual ~TRLFilterProgress() = default;
    /// The number of pages the run will draw; called once before the first StepForward.
    virtual void SetMaxProgress(int maximum) = 0;
    /// One page done. Lets the GUI process pending events; throws EAbort when the application
    /// is terminating.
    virtual void StepForward() = 0;
};

/// Opens a progress window with the caption; `cancel` is the action of its cancel button.
using TRLFilterProgressFactory
    = std::function<std::unique_ptr<TRLFilterProgress>(const QString& caption, std::function<void()> cancel)>;

/// Replaces the registered factory; an empty one unregisters it.
void SetFilterProgressFactory(TRLFilterProgressFactory factory);
/// The registered factory; empty when none is.
const TRLFilterProgressFactory& FilterProgressFactory();
