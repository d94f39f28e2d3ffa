#include "filters/RLXLSXWriterThread.h"

namespace {

/// Jobs waiting or running: enough to keep the writer busy while a grid is built.
constexpr std::size_t kMaxJobs = 4;

} // namespace

TRLXLSXWriterThread::TRLXLSXWriterThread(TRLXLSXWorkbookWriter& writer)
    : m_writer(writer)
    , m_thread([this] { Run(); })
{
}

TRLXLSXWriterThread::~TRLXLSXWriterThread()
{
    {
        const std::lock_guard lock(m_mutex);
        m_dropped = true;
    }
    Stop();
}

void TRLXLSXWriterThread::Queue(TJob job)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_jobs.size() < kMaxJobs || m_error; });
    if (m_error)
        std::rethrow_exception(m_error);
    m_jobs.push_back(std::move(job));
    lock.unlock();
    m_changed.notify_all();
}

void TRLXLSXWriterThread::Finish()
{
    {
        const std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    Stop();
    if (m_error)
        std::rethrow_exception(m_error);
}

void TRLXLSXWriterThread::Run()
{
    for (;;) {
        TJob* job = nullptr;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_jobs.empty() || m_closing || m_dropped; });
            if (m_dropped || m_jobs.empty())
                return;
            // A deque keeps the front element in place while others are queued behind it.
            job = &m_jobs.front();
        }
        try {
            (*job)(m_writer);
        } catch (...) {
            const std::lock_guard lock(m_mutex);
            m_error = std::current_exception();
            m_jobs.clear();
            m_changed.notify_all();
            return;
        }
        {
            const std::lock_guard lock(m_mutex);
            m_jobs.pop_front();
        }
        m_changed.notify_all();
    }
}

void TRLXLSXWriterThread::Stop()
{
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}
