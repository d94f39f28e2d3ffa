#pragma once
// The fixture of the tests that run the built program as a script runs it, and the nodes
// (a FIFO reader, a pseudo-terminal) they hand it as outputs.
#include "tests/app/ProgramRun.h"
#include "tests/app/SampleOrders.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitOrderNotFound = 1;
inline constexpr int kExitFailure = 2;

/// Runs the program with its own temporary directory (which the run must leave empty), no
/// display, the Brazilian locale and a fixed clock unless `environment` says otherwise.
class CommandLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_work.isValid());
        ASSERT_TRUE(QDir(m_work.path()).mkdir(u"tmp"_s));
        // Qt's runtime directory would otherwise default into the temporary directory.
        ASSERT_TRUE(m_runtime.isValid());
        QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void TearDown() override
    {
        const QStringList left
            = QDir(TempPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        EXPECT_TRUE(left.isEmpty()) << "temporary files left behind: " << left.join(u' ').toStdString();
    }

    TProgramRun Run(
        const QStringList& arguments, const QStringList& environment = {}, QProcess* outputReader = nullptr)
    {
        return RunOrdemCompra(arguments, { TempPath(), m_work.path() },
            QStringList { u"XDG_RUNTIME_DIR="_s + m_runtime.path() } + environment, outputReader);
    }

    QStringList Data() const { return { u"--data"_s, SampleDatabaseDirectory() }; }
    QString Output(const QString& name) const { return QDir(m_work.path()).filePath(name); }
    QString TempPath() const { return QDir(m_work.path()).filePath(u"tmp"_s); }
    QStringList Outputs() const
    {
        return QDir(m_work.path()).entryList(QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir m_work;
    QTemporaryDir m_runtime;
};

inline const QString kNotFound = u"Ordem Compra não Encontrada!"_s;

// Messages in the program's source language; numbers and dates keep the Brazilian locale.
inline const QStringList kEnglish { u"LC_MESSAGES=en_US.UTF-8"_s };

/// Collects what the program writes into a FIFO or a terminal while it runs, from a thread, so
/// that the program is never blocked by a full pipe.
class TNodeReader {
public:
    /// Takes `descriptor` (opened non-blocking).
    explicit TNodeReader(int descriptor)
        : m_descriptor(descriptor)
        , m_thread([this] { Read(); })
    {
    }
    ~TNodeReader() { Finish(); }
    TNodeReader(const TNodeReader&) = delete;
    TNodeReader& operator=(const TNodeReader&) = delete;

    /// Everything written up to now; call once the writer has ended.
    QByteArray Finish()
    {
        m_done = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_descriptor >= 0)
            close(m_descriptor);
        m_descriptor = -1;
        return m_bytes;
    }

private:
    void Read()
    {
        constexpr int kPollMs = 50;
        char buffer[65536];
        for (;;) {
            pollfd waiting { m_descriptor, POLLIN, 0 };
            const bool ready = poll(&waiting, 1, kPollMs) > 0 && (waiting.revents & POLLIN) != 0;
            const ssize_t got = ready ? read(m_descriptor, buffer, sizeof buffer) : 0;
            if (got > 0)
                m_bytes.append(buffer, got);
            // What the writer left in the pipe is read before the end is taken for the end.
            else if (m_done)
                return;
            else if (waiting.revents & POLLHUP)
                usleep(kPollMs * 1000);
        }
    }

    int m_descriptor;
    QByteArray m_bytes;
    std::atomic<bool> m_done = false;
    std::thread m_thread;
};

/// A pseudo-terminal in raw mode: a character device of this test's own, read on its master side.
struct TTerminal {
    TTerminal()
    {
        Master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (Master < 0 || grantpt(Master) != 0 || unlockpt(Master) != 0)
            return;
        Device = QFile::decodeName(ptsname(Master));
        // Held open, so that the terminal does not hang up between the writer's open and close.
        Slave = open(ptsname(Master), O_RDWR | O_NOCTTY);
        termios raw {};
        if (Slave >= 0 && tcgetattr(Slave, &raw) == 0) {
            cfmakeraw(&raw);
            tcsetattr(Slave, TCSANOW, &raw);
        }
    }
    ~TTerminal()
    {
        if (Slave >= 0)
            close(Slave);
    }
    TTerminal(const TTerminal&) = delete;
    TTerminal& operator=(const TTerminal&) = delete;
    int Master = -1;
    int Slave = -1;
    QString Device;
};
