#pragma once

#include <QByteArray>
#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <ostream>
#include <sys/resource.h>

/// gtest prints QString values in failure messages through this.
void PrintTo(const QString& text, std::ostream* out);

/// The message of the EReportError that `action` throws; fails the test when it throws none.
QString ErrorOf(const std::function<void()>& action);

/// A file-size limit stands in for a full disk while it lives: with SIGXFSZ ignored, a write past
/// the limit fails with EFBIG as one past the free space fails with ENOSPC.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes);
    ~TFileSizeLimit();
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit m_previous {};
    void (*m_previousHandler)(int) = nullptr;
};

/// Tagged picture data of image objects that do not decode: a bitmap cut inside its header, one
/// whose header declares 20000 x 10000 pixels over a few bytes, and a PNG tagged as a bitmap.
QList<QByteArray> DamagedPictureData();

/// Absolute path of a file under the source tree's tests/ folder.
QString TestSourcePath(const QString& relative);

/// Compares `actual` line by line with tests/golden/<relative>; on a difference reports the
/// first differing line and writes the actual text to the build tree for `diff -u`.
void ExpectMatchesGolden(const QString& actual, const QString& relative);

/// Arguments that run LibreOffice headless apart from any other instance of it: a profile of its
/// own under `profileDir`; then `arguments`.
QStringList LibreOfficeArguments(const QString& profileDir, const QStringList& arguments);

/// The environment LibreOffice runs in: the user's, with the locale fixed to en_US.UTF-8 so that
/// the numbers it writes are "1244.75" whatever locale the tests are run in.
QProcessEnvironment LibreOfficeEnvironment();

/// For its lifetime, points this process's CUPS clients at a socket nobody listens on, so that a
/// print scheduler running on the machine cannot change what a test sees.
class TNoPrintScheduler {
public:
    TNoPrintScheduler();
    ~TNoPrintScheduler();
    TNoPrintScheduler(const TNoPrintScheduler&) = delete;
    TNoPrintScheduler& operator=(const TNoPrintScheduler&) = delete;

private:
    QTemporaryDir m_dir;
    QByteArray m_saved;
    bool m_had;
};
