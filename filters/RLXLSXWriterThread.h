#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

class TRLXLSXWorkbookWriter;

/// Runs the workbook writer's calls on a thread of its own, in the order they are queued, so
/// that the next page's grid is built while the library writes the last one: on two cores the
/// two halves of an export overlap. At most a few jobs wait, so memory holds a few pages' grids.
/// The first job that throws stops the thread; Queue and Finish then throw its error.
class TRLXLSXWriterThread {
public:
    using TJob = std::function<void(TRLXLSXWorkbookWriter&)>;

    explicit TRLXLSXWriterThread(TRLXLSXWorkbookWriter& writer);
    /// Drops the jobs not started and waits for the one running.
    ~TRLXLSXWriterThread();
    TRLXLSXWriterThread(const TRLXLSXWriterThread&) = delete;
    TRLXLSXWriterThread& operator=(const TRLXLSXWriterThread&) = delete;

    /// Waits while the queue is full.
    void Queue(TJob job);
    /// Waits until every job has run; the writer is then the caller's again.
    void Finish();

private:
    void Run();
    void Stop();

    TRLXLSXWorkbookWriter& m_writer;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    /// The running job stays at the front until it ends.
    std::deque<TJob> m_jobs;
    bool m_closing = false;
    bool m_dropped = false;
    std::exception_ptr m_error;
    std::thread m_thread;
};
