#pragma once

#include <QtGlobal>
#include <cstdio>
#include <memory>
#include <vector>

class TRLXLSScratchFile;

/// Streams that hold the rows of a workbook's sheets in one shared temporary file, so that a
/// workbook of any number of sheets keeps one file open instead of one per sheet. Each stream
/// only appends until it is rewound and read back; their pieces lie in the file in the order
/// written. A stream the library never closes is closed with this object.
class TRLXLSXSheetSpill {
public:
    /// Throws EReportError when the temporary directory takes no new file.
    TRLXLSXSheetSpill();
    ~TRLXLSXSheetSpill();
    TRLXLSXSheetSpill(const TRLXLSXSheetSpill&) = delete;
    TRLXLSXSheetSpill& operator=(const TRLXLSXSheetSpill&) = delete;

    /// A new empty stream, or nullptr when the C library makes none.
    FILE* Open();
    /// Flushes `stream` (one of Open's) and returns a stream over the same bytes without a
    /// buffer until it is used again; `stream` is closed. nullptr when that fails.
    FILE* Rebuffer(FILE* stream);
    /// True once a write was refused (a full disk): a stream's bytes may then miss a piece.
    bool Failed() const { return m_failed; }

private:
    struct TPiece {
        qint64 Offset = 0;
        qint64 Size = 0;
    };
    struct TStream {
        TRLXLSXSheetSpill* Spill = nullptr;
        FILE* File = nullptr;
        std::vector<TPiece> Pieces;
        qint64 Size = 0;
        qint64 Position = 0;
    };
    static ssize_t Read(void* cookie, char* buffer, size_t size);
    static ssize_t Write(void* cookie, const char* buffer, size_t size);
    static int Seek(void* cookie, off64_t* offset, int whence);
    static int Close(void* cookie);
    FILE* OpenOver(TStream& stream);

    std::unique_ptr<TRLXLSScratchFile> m_file;
    int m_descriptor = -1;
    qint64 m_end = 0;
    bool m_failed = false;
    std::vector<std::unique_ptr<TStream>> m_streams;
};
