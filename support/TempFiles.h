#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QFile;

/// The directory of temporary files: "." until start-up, then the system's temporary directory
/// (TMPDIR, else /tmp).
QString TempDir();
void SetTempDir(const QString& directory);
/// Sets the system's temporary directory, as start-up does.
void InitializeTempDir();

/// Creates a new empty file named TempDir/~qr<number>.tmp (number 0 to 2147483646) and returns
/// its name. The file is created exclusively with mode 0600 at the moment the name is chosen, so
/// that no other process can take the name or plant a link there; a name in use is drawn again.
/// The caller owns the file: it registers it (RegisterTempFile) and deletes it when done.
/// Throws EReportError when the directory does not take new files.
QString NewTempFileName();
/// The same in `directory` with numbers from `drawNumber` (reduced to 0..2147483646).
QString NewTempFileName(const QString& directory, const std::function<quint32()>& drawNumber);

/// Creates a new temporary file as NewTempFileName does, registers it (RegisterTempFile) and opens
/// `file` for reading and writing on the descriptor that created the file: it is never opened
/// again by name, so a link put in its place later cannot send its bytes elsewhere. Returns the
/// name, which the caller deletes and unregisters when done (`file.fileName()` is empty).
QString OpenNewTempFile(QFile& file);
QString OpenNewTempFile(QFile& file, const QString& directory, const std::function<quint32()>& drawNumber);

/// Files on this list are deleted at program end and when SIGINT, SIGTERM, SIGHUP, SIGQUIT or SIGPIPE
/// stops the program; a directory on it is removed if it is empty then.
void RegisterTempFile(const QString& fileName);
/// Removes the first occurrence of the name, if any; the file itself stays.
void UnregisterTempFile(const QString& fileName);
QStringList RegisteredTempFiles();
/// Deletes every registered file and empty directory (failures ignored) and empties the list.
void DeleteRegisteredTempFiles();

/// On SIGINT, SIGTERM, SIGHUP, SIGQUIT and SIGPIPE: unlink the registered files, then die of the same signal.
/// Installed only where the signal still has its default action.
void InstallTempFileSignalHandlers();
void RemoveTempFileSignalHandlers();
