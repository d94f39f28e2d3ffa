#include "support/TempFiles.h"

#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr QLatin1StringView kTempPrefix("~qr");
constexpr QLatin1StringView kTempExtension(".tmp");
constexpr quint32 kNumberLimit = 2147483647; // numbers are 0 .. kNumberLimit - 1
constexpr int kMaxDraws = 1000;
constexpr mode_t kTempFileMode = 0600;
// A signal handler cannot allocate, so it reads the paths from this fixed table.
constexpr int kSignalPathSlots = 4096;
// SIGPIPE: an export into a pipe whose reader went away (`--pdf - | head`) ends the program.
constexpr std::array<int, 5> kCleanupSignals = { SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE };

std::mutex g_mutex;
QString g_tempDir = QStringLiteral(".");
std::vector<QString> g_registered;

std::array<std::atomic<char*>, kSignalPathSlots> g_signalPaths {};
struct sigaction g_previousActions[kCleanupSignals.size()];
bool g_handlersInstalled = false;

[[noreturn]] void RaiseCannotCreate(const QString& directory, const QString& reason)
{
    throw EReportError(
        QCoreApplication::translate("TempFiles", "Cannot create a temporary file in \"%1\": %2")
            .arg(directory, reason));
}

[[noreturn]] void RaiseCannotCreate(const QString& directory, int error)
{
    RaiseCannotCreate(directory, QString::fromLocal8Bit(std::strerror(error)));
}

QString TempFilePath(const QString& directory, quint32 number)
{
    QString path = directory;
    if (!path.isEmpty() && !path.endsWith(u'/'))
        path += u'/';
    return path + kTempPrefix + QString::number(number) + kTempExtension;
}

/// Creates the file exclusively, mode 0600, and returns its descriptor, open for reading and
/// writing; `path` is its name.
int CreateTempFile(const QString& directory, const std::function<quint32()>& drawNumber, QString& path)
{
    for (int draw = 0; draw < kMaxDraws; ++draw) {
        path = TempFilePath(directory, drawNumber() % kNumberLimit);
        const QByteArray encoded = QFile::encodeName(path);
        // O_EXCL refuses any name in use, a planted link included.
        const int fd
            = open(encoded.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kTempFileMode);
        if (fd >= 0) {
            // The umask may narrow the mode; the owner must still be able to write the file.
            if (fchmod(fd, kTempFileMode) != 0) {
                const int chmodError = errno;
                close(fd);
                unlink(encoded.constData());
                RaiseCannotCreate(directory, chmodError);
            }
            return fd;
        }
        if (errno != EEXIST)
            RaiseCannotCreate(directory, errno);
    }
    RaiseCannotCreate(directory, EEXIST);
}

void AddSignalPath(const QString& fileName)
{
    char* copy = strdup(QFile::encodeName(fileName).constData());
    if (!copy)
        return;
    for (std::atomic<char*>& slot : g_signalPaths) {
        char* expected = nullptr;
        if (slot.compare_exchange_strong(expected, copy))
            return;
    }
    // Table full: the file is still deleted at normal exit, only not on a signal.
    std::free(copy);
}

void RemoveSignalPath(const QString& fileName)
{
    const QByteArray encoded = QFile::encodeName(fileName);
    for (std::atomic<char*>& slot : g_signalPaths) {
        char* path = slot.load();
        if (path && encoded == path && slot.compare_exchange_strong(path, nullptr)) {
            std::free(path);
            return;
        }
    }
}

void ClearSignalPaths()
{
    for (std::atomic<char*>& slot : g_signalPaths)
        std::free(slot.exchange(nullptr));
}

extern "C" void DeleteTempFilesOnSignal(int signalNumber)
{
    for (std::atomic<char*>& slot : g_signalPaths) {
        // A registered directory (the private runtime directory) is removed when empty.
        if (const char* path = slot.load(); path != nullptr && unlink(path) != 0)
            rmdir(path);
    }
    // Die of the same signal, so that the parent sees how the program ended.
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

} // namespace

QString TempDir()
{
    const std::lock_guard lock(g_mutex);
    return g_tempDir;
}

void SetTempDir(const QString& directory)
{
    const std::lock_guard lock(g_mutex);
    g_tempDir = directory;
}

void InitializeTempDir()
{
    // QDir::tempPath() turns a TMPDIR that does not exist into "", which would put the files in the
    // working directory; keep the name so that creating a file there fails naming it.
    const QString configured = qEnvironmentVariable("TMPDIR");
    SetTempDir(
        configured.isEmpty() || QDir(configured).exists() ? QDir::tempPath() : QDir::cleanPath(configured));
}

QString NewTempFileName()
{
    return NewTempFileName(TempDir(), [] { return QRandomGenerator::system()->generate(); });
}

QString NewTempFileName(const QString& directory, const std::function<quint32()>& drawNumber)
{
    QString path;
    close(CreateTempFile(directory, drawNumber, path));
    return path;
}

QString OpenNewTempFile(QFile& file)
{
    return OpenNewTempFile(file, TempDir(), [] { return QRandomGenerator::system()->generate(); });
}

QString OpenNewTempFile(QFile& file, const QString& directory, const std::function<quint32()>& drawNumber)
{
    QString path;
    const int descriptor = CreateTempFile(directory, drawNumber, path);
    RegisterTempFile(path);
    // Unbuffered: the users write whole records; a buffered flush that met a full disk part way
    // would report an unknown error instead of the system's reason.
    if (!file.open(descriptor, QIODevice::ReadWrite | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        const QString reason = file.errorString();
        close(descriptor);
        unlink(QFile::encodeName(path).constData());
        UnregisterTempFile(path);
        RaiseCannotCreate(directory, reason);
    }
    return path;
}

void RegisterTempFile(const QString& fileName)
{
    const std::lock_guard lock(g_mutex);
    g_registered.push_back(fileName);
    AddSignalPath(fileName);
}

void UnregisterTempFile(const QString& fileName)
{
    const std::lock_guard lock(g_mutex);
    const auto found = std::find(g_registered.begin(), g_registered.end(), fileName);
    if (found == g_registered.end())
        return;
    g_registered.erase(found);
    RemoveSignalPath(fileName);
}

QStringList RegisteredTempFiles()
{
    const std::lock_guard lock(g_mutex);
    return QStringList(g_registered.begin(), g_registered.end());
}

void DeleteRegisteredTempFiles()
{
    const std::lock_guard lock(g_mutex);
    for (const QString& fileName : g_registered) {
        if (!QFile::remove(fileName))
            QDir().rmdir(fileName);
    }
    g_registered.clear();
    ClearSignalPaths();
}

void InstallTempFileSignalHandlers()
{
    if (g_handlersInstalled)
        return;
    for (size_t i = 0; i < kCleanupSignals.size(); ++i) {
        struct sigaction action { };
        action.sa_handler = DeleteTempFilesOnSignal;
        sigemptyset(&action.sa_mask);
        sigaction(kCleanupSignals[i], nullptr, &g_previousActions[i]);
        // A program that ignores or handles the signal itself keeps doing so.
        if (g_previousActions[i].sa_handler == SIG_DFL)
            sigaction(kCleanupSignals[i], &action, nullptr);
    }
    g_handlersInstalled = true;
}

void RemoveTempFileSignalHandlers()
{
    if (!g_handlersInstalled)
        return;
    for (size_t i = 0; i < kCleanupSignals.size(); ++i) {
        struct sigaction current { };
        sigaction(kCleanupSignals[i], nullptr, &current);
        if (current.sa_handler == DeleteTempFilesOnSignal)
            sigaction(kCleanupSignals[i], &g_previousActions[i], nullptr);
    }
    g_handlersInstalled = false;
}
