#include "filters/RLXLSXSheetSpill.h"

#include "filters/RLXLSScratchFile.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

TRLXLSXSheetSpill::TRLXLSXSheetSpill()
    : m_file(std::make_unique<TRLXLSScratchFile>())
    , m_descriptor(m_file->File().handle())
{
}

TRLXLSXSheetSpill::~TRLXLSXSheetSpill()
{
    for (const std::unique_ptr<TStream>& stream : m_streams) {
        if (stream->File)
            fclose(stream->File);
    }
}

FILE* TRLXLSXSheetSpill::Open()
{
    auto stream = std::make_unique<TStream>();
    stream->Spill = this;
    FILE* file = OpenOver(*stream);
    if (file)
        m_streams.push_back(std::move(stream));
    return file;
}

FILE* TRLXLSXSheetSpill::Rebuffer(FILE* file)
{
    const auto found = std::find_if(m_streams.begin(), m_streams.end(),
        [file](const std::unique_ptr<TStream>& stream) { return stream->File == file; });
    if (!file || found == m_streams.end() || fflush(file) != 0)
        return nullptr;
    fclose(file);
    return OpenOver(**found);
}

FILE* TRLXLSXSheetSpill::OpenOver(TStream& stream)
{
    const cookie_io_functions_t functions { &Read, &Write, &Seek, &Close };
    stream.File = fopencookie(&stream, "w+", functions);
    return stream.File;
}

ssize_t TRLXLSXSheetSpill::Read(void* cookie, char* buffer, size_t size)
{
    auto& stream = *static_cast<TStream*>(cookie);
    qint64 start = 0;
    for (const TPiece& piece : stream.Pieces) {
        if (stream.Position < start + piece.Size) {
            const qint64 skip = stream.Position - start;
            const auto wanted = std::min<qint64>(qint64(size), piece.Size - skip);
            const ssize_t got
                = pread(stream.Spill->m_descriptor, buffer, size_t(wanted), piece.Offset + skip);
            if (got < 0)
                return -1;
            // A file cut short (by another program) ends the stream instead of repeating a read.
            if (got == 0) {
                errno = EIO;
                return -1;
            }
            stream.Position += got;
            return got;
        }
        start += piece.Size;
    }
    return 0;
}

ssize_t TRLXLSXSheetSpill::Write(void* cookie, const char* buffer, size_t size)
{
    auto& stream = *static_cast<TStream*>(cookie);
    TRLXLSXSheetSpill& spill = *stream.Spill;
    // Streams only append; after a refused write nothing more is taken, so no piece has a hole.
    if (spill.m_failed || stream.Position != stream.Size)
        return 0;
    for (size_t done = 0; done < size;) {
        const ssize_t put = pwrite(spill.m_descriptor, buffer + done, size - done, spill.m_end);
        if (put <= 0) {
            spill.m_failed = true;
            return 0;
        }
        if (!stream.Pieces.empty() && stream.Pieces.back().Offset + stream.Pieces.back().Size == spill.m_end)
            stream.Pieces.back().Size += put;
        else
            stream.Pieces.push_back({ spill.m_end, put });
        spill.m_end += put;
        stream.Size += put;
        stream.Position += put;
        done += size_t(put);
    }
    return ssize_t(size);
}

int TRLXLSXSheetSpill::Seek(void* cookie, off64_t* offset, int whence)
{
    auto& stream = *static_cast<TStream*>(cookie);
    qint64 base = 0;
    if (whence == SEEK_CUR)
        base = stream.Position;
    else if (whence == SEEK_END)
        base = stream.Size;
    else if (whence != SEEK_SET)
        return -1;
    const qint64 target = base + *offset;
    if (target < 0 || target > stream.Size)
        return -1;
    stream.Position = target;
    *offset = target;
    return 0;
}

int TRLXLSXSheetSpill::Close(void* cookie)
{
    // The bytes stay for a stream opened over them again; the spill frees them.
    static_cast<TStream*>(cookie)->File = nullptr;
    return 0;
}
