#include "support/Checksum.h"

#include "support/Windows1252.h"

#include <array>

namespace {

constexpr quint16 kPolynomial = 0x1021;
constexpr int kBitsPerByte = 8;

// T[i] = i * x^16 modulo the polynomial.
constexpr std::array<quint16, 256> MakeTable()
{
    std::array<quint16, 256> table {};
    for (unsigned i = 0; i < table.size(); ++i) {
        unsigned crc = i << kBitsPerByte;
        for (int bit = 0; bit < kBitsPerByte; ++bit)
            crc = (crc & 0x8000) ? (crc << 1) ^ kPolynomial : crc << 1;
        table[i] = quint16(crc);
    }
    return table;
}

constexpr std::array<quint16, 256> kTable = MakeTable();
static_assert(kTable[1] == kPolynomial);

} // namespace

quint16 StringChecksum16(QStringView text)
{
    quint16 crc = 0;
    for (const char byte : ToWindows1252(text))
        crc = quint16((crc << kBitsPerByte) ^ kTable[crc >> kBitsPerByte] ^ quint8(byte));
    return crc;
}
