#include "support/OutputFiles.h"

#include "support/SaveFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// As many links as the kernel follows before it gives up with ELOOP.
constexpr int kMaxLinks = 40;

/// The descriptor `path` names when it is one of the program's own, else -1.
int DescriptorNamed(const QString& path)
{
    if (path == u"/dev/stdin")
        return STDIN_FILENO;
    if (path == u"/dev/stdout")
        return STDOUT_FILENO;
    if (path == u"/dev/stderr")
        return STDERR_FILENO;
    static const QRegularExpression descriptorPath(uR"(^/(?:dev/fd|proc/(?:self|(\d+))/fd)/(\d{1,9})$)"_s);
    const QRegularExpressionMatch match = descriptorPath.match(path);
    if (!match.hasMatch())
        return -1;
    // Another process's descriptors are not ours to write through.
    if (match.hasCaptured(1) && match.captured(1).toLongLong() != getpid())
        return -1;
    return match.captured(2).toInt();
}

/// Follows `fileName` link by link, since the kernel's names for a descriptor are links too
/// (/dev/stdout leads to /proc/self/fd/1, which leads to whatever the descriptor is), and returns
/// the first of the program's descriptors on the way, or -1.
int OwnDescriptor(const QString& fileName)
{
    QString path = QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
    for (int link = 0; link <= kMaxLinks; ++link) {
        if (const int descriptor = DescriptorNamed(path); descriptor >= 0)
            return descriptor;
        char target[PATH_MAX];
        const ssize_t length = readlink(QFile::encodeName(path).constData(), target, sizeof target);
        if (length <= 0 || std::size_t(length) >= sizeof target)
            return -1;
        const QString next = QFile::decodeName(QByteArray(target, length));
        path = QDir::cleanPath(QDir::isAbsolutePath(next) ? next : QFileInfo(path).path() + u'/' + next);
    }
    return -1;
}

QString SystemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

/// Why a target of this kind is not written, or empty when it is.
QString RefusedKind(mode_t mode)
{
    if (S_ISBLK(mode))
        return QCoreApplication::translate("OutputFiles",
            "it is a block device (a disk); a report is written only into a file, a pipe or a character "
            "device such as a terminal");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("OutputFiles",
            "it is a socket; a report is written only into a file, a pipe or a character device such as "
            "a terminal");
    return {};
}

int OpenNode(const QByteArray& path)
{
    int descriptor = -1;
    do
        descriptor = ::open(path.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

} // namespace

TOutputFile::TOutputFile(QString fileName)
    : m_fileName(std::move(fileName))
{
}

TOutputFile::~TOutputFile()
{
    Discard();
}

bool TOutputFile::Open(QString& reason)
{
    Discard();
    int stream = -1;
    if (const int own = OwnDescriptor(m_fileName); own >= 0) {
        stream = fcntl(own, F_DUPFD_CLOEXEC, 0);
        if (stream < 0) {
            reason = SystemError(errno);
            return false;
        }
    } else {
        const QByteArray encoded = QFile::encodeName(m_fileName);
        struct stat target { };
        if (::stat(encoded.constData(), &target) == 0) {
            if (const QString refused = RefusedKind(target.st_mode); !refused.isEmpty()) {
                reason = refused;
                return false;
            }
            // Truncating or renaming over a pipe or a device would lose what it is; it is written into.
            if (S_ISFIFO(target.st_mode) || S_ISCHR(target.st_mode)) {
                stream = OpenNode(encoded);
                if (stream < 0) {
                    reason = SystemError(errno);
                    return false;
                }
            }
        }
    }
    if (stream >= 0) {
        m_stream = std::make_unique<QFile>();
        if (!m_stream->open(stream, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            reason = m_stream->errorString();
            m_stream.reset();
            ::close(stream);
            return false;
        }
        return true;
    }
    // A directory lands here too, and is named as a folder by the reason.
    m_saveFile = std::make_unique<QSaveFile>(m_fileName);
    if (!m_saveFile->open(QIODevice::WriteOnly)) {
        reason = CreateFailureReason(m_fileName, m_saveFile->errorString());
        m_saveFile.reset();
        return false;
    }
    return true;
}

QIODevice& TOutputFile::Device()
{
    if (m_stream)
        return *m_stream;
    return *m_saveFile;
}

bool TOutputFile::Commit(QString& reason)
{
    if (m_saveFile) {
        const std::unique_ptr<QSaveFile> file = std::move(m_saveFile);
        return CommitWholeFile(*file, reason);
    }
    if (!m_stream)
        return true;
    const std::unique_ptr<QFile> stream = std::move(m_stream);
    const bool flushed = stream->flush();
    if (!flushed)
        reason = stream->errorString();
    stream->close();
    return flushed;
}

void TOutputFile::Discard()
{
    if (m_saveFile)
        m_saveFile->cancelWriting();
    m_saveFile.reset();
    if (m_stream)
        m_stream->close();
    m_stream.reset();
}

bool WritesThrough(const QString& fileName)
{
    if (OwnDescriptor(fileName) >= 0)
        return true;
    struct stat target { };
    return ::stat(QFile::encodeName(fileName).constData(), &target) == 0
        && (S_ISFIFO(target.st_mode) || S_ISCHR(target.st_mode));
}

QString OutputPathOfOption(const QString& option)
{
    return option == u"-" ? QStringLiteral("/dev/stdout") : option;
}
