// Input: a 4-byte little-endian length n, then n bytes of .DB, then the .MB bytes (none: no .MB).
// make-seeds.sh builds seeds of that shape from sample tables.
#include "db/ParadoxReader.h"
#include "platform/Exceptions.h"

#include <QtEndian>
#include <cstddef>
#include <cstdint>

namespace {
constexpr size_t kLengthSize = 4;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kLengthSize)
        return 0;
    const size_t rest = size - kLengthSize;
    const size_t tableSize = qFromLittleEndian<quint32>(data) % (rest + 1);
    const char* bytes = reinterpret_cast<const char*>(data + kLengthSize);
    std::optional<QByteArray> blobs;
    if (tableSize < rest)
        blobs = QByteArray(bytes + tableSize, qsizetype(rest - tableSize));
    try {
        const TParadoxReader table(QByteArray(bytes, qsizetype(tableSize)), blobs, QStringLiteral("fuzz.db"));
        for (int record = 0; record < table.RecordCount(); ++record) {
            for (int field = 0; field < int(table.Fields().size()); ++field) {
                try {
                    table.Value(record, field);
                } catch (const EReportError&) {
                    // A bad value spoils only itself; the rest of the record stays readable.
                }
            }
        }
    } catch (const EReportError&) {
        // Refusing the table is the expected outcome for most inputs.
    }
    return 0;
}
