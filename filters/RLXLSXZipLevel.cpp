// libxlsxwriter packs every part of the workbook at zlib's default level (6), which it offers no
// way to change, and does so after the last page, when nothing else runs: for a report of many
// pages the compression is most of the export's last stretch. Level 1 packs the sheets' XML
// about 15 % larger in half the time. The library finds minizip's function through the global
// symbol scope, where this library comes first (minizip is loaded only for libxlsxwriter), so
// this one takes its calls and passes libxlsxwriter's on with the faster level.

#include <cstring>
#include <dlfcn.h>
#include <zlib.h>

namespace {

constexpr int kPartLevel = 1;

bool CalledFromXlsxWriter(void* returnAddress)
{
    Dl_info info {};
    return dladdr(returnAddress, &info) != 0 && info.dli_fname
        && std::strstr(info.dli_fname, "libxlsxwriter") != nullptr;
}

} // namespace

extern "C" {

// minizip's declaration, its pointer types left opaque (no minizip header is installed).
__attribute__((visibility("default"))) int zipOpenNewFileInZip4_64(void* file, const char* filename,
    const void* fileInfo, const void* localExtra, uInt localExtraSize, const void* globalExtra,
    uInt globalExtraSize, const char* comment, int method, int level, int raw, int windowBits, int memLevel,
    int strategy, const char* password, uLong cryptCrc, uLong versionMadeBy, uLong flagBase, int zip64)
{
    using TOpen = int (*)(void*, const char*, const void*, const void*, uInt, const void*, uInt, const char*,
        int, int, int, int, int, int, const char*, uLong, uLong, uLong, int);
    static const auto next = reinterpret_cast<TOpen>(dlsym(RTLD_NEXT, "zipOpenNewFileInZip4_64"));
    if (!next)
        return -104; // ZIP_INTERNALERROR
    // Only libxlsxwriter's parts: a program that loads this library keeps its own zip files as
    // it asked for them.
    if (level == Z_DEFAULT_COMPRESSION && CalledFromXlsxWriter(__builtin_return_address(0)))
        level = kPartLevel;
    return next(file, filename, fileInfo, localExtra, localExtraSize, globalExtra, globalExtraSize, comment,
        method, level, raw, windowBits, memLevel, strategy, password, cryptCrc, versionMadeBy, flagBase,
        zip64);
}

} // extern "C"
