#pragma once

/// @file
/// Starting and stopping the library; a program calls this first, after its Qt application.

/// Program-wide state of the library, in start-up order: the localized texts of the user's
/// language and the translations of Qt's and the program's messages, the number and date conventions of the
/// locale, the log file name (a stale log beside the executable is deleted), the temporary directory, and the
/// handlers that delete registered temporary files on SIGINT, SIGTERM, SIGHUP, SIGQUIT and SIGPIPE. Run
/// before any report, form or dialog.
void InitializeLibrary();
/// In reverse order: deletes the registered temporary files, restores the signal handlers and
/// clears the texts, the log name and the temporary directory. When the program leaves through
/// exit() without it, the registered temporary files are still deleted.
void FinalizeLibrary();

/// Initializes the library for the lifetime of the object (one per program, in main).
class TQuirelLibrary {
public:
    TQuirelLibrary() { InitializeLibrary(); }
    ~TQuirelLibrary() { FinalizeLibrary(); }
    TQuirelLibrary(const TQuirelLibrary&) = delete;
    TQuirelLibrary& operator=(const TQuirelLibrary&) = delete;
};
