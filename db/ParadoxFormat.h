#pragma once

#include <QtGlobal>

/// Byte layout of Paradox tables (.DB) and their blob files (.MB), shared by the reader and the
/// sample-database writer. Control structures are little-endian; field values are big-endian with
/// the sign bit flipped, so that all-zero bytes mean NULL.
namespace paradox {

enum class TPxFieldType : quint8 {
    Alpha = 0x01,
    Date = 0x02,
    Short = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Number = 0x06,
    Logical = 0x09,
    Memo = 0x0C,
    Binary = 0x0D,
    FormattedMemo = 0x0E,
    Ole = 0x0F,
    Graphic = 0x10,
    Time = 0x14,
    Timestamp = 0x15,
    AutoIncrement = 0x16,
    Bcd = 0x17,
    Bytes = 0x18,
};

// Fixed header, all versions.
constexpr int kRecordSizeOffset = 0x00;
constexpr int kHeaderSizeOffset = 0x02;
constexpr int kFileTypeOffset = 0x04;
constexpr int kMaxTableSizeOffset = 0x05;
constexpr int kNumRecordsOffset = 0x06;
constexpr int kNextBlockOffset = 0x0A;
constexpr int kFileBlocksOffset = 0x0C;
constexpr int kFirstBlockOffset = 0x0E;
constexpr int kLastBlockOffset = 0x10;
constexpr int kChangeCounterOffset = 0x12;
constexpr int kNumFieldsOffset = 0x21;
constexpr int kPrimaryKeyFieldsOffset = 0x23;
constexpr int kEncryption1Offset = 0x25;
constexpr int kSortOrderOffset = 0x29;
constexpr int kChangeCount1Offset = 0x2D;
constexpr int kChangeCount2Offset = 0x2E;
constexpr int kTableNamePointerOffset = 0x30;
constexpr int kFieldListPointerOffset = 0x34;
constexpr int kFileVersionOffset = 0x39;
constexpr int kMaxBlocksOffset = 0x3A;
constexpr int kHeaderConstantOffset = 0x3E;
constexpr int kAutoIncOffset = 0x49;
constexpr int kFirstFreeBlockOffset = 0x4D;
constexpr int kRealHeaderSizeOffset = 0x51;
constexpr int kDataFileMarkOffset = 0x56;
constexpr int kFixedHeaderSize = 0x58;
/// The header size is a 16-bit field.
constexpr int kMaxHeaderSize = 0xFFFF;

// Extension of version 4 and later data files.
constexpr int kVersionWordOffset = 0x58;
constexpr int kVersionWord2Offset = 0x5A;
constexpr int kEncryption2Offset = 0x5C;
constexpr int kUpdateTimeOffset = 0x60;
constexpr int kHiFieldIdOffset = 0x64;
constexpr int kFieldNumbersOffset = 0x66;
constexpr int kCodePageOffset = 0x6A;
constexpr int kExtensionConstantOffset = 0x6C;
constexpr int kSortOrderIdOffset = 0x6E;
constexpr int kExtensionChangeOffset = 0x70;
constexpr int kExtendedHeaderSize = 0x78;
/// Offsets stored in the extension count from here.
constexpr int kExtensionBase = 0x58;

constexpr quint8 kFileTypeKeyed = 0;
constexpr quint8 kFileTypeNonKeyed = 2;
constexpr int kFirstVersion = 3;
constexpr int kFirstExtendedVersion = 5;
constexpr int kVersion7 = 12;
constexpr int kLastVersion = 12;
constexpr int kMaxTableSizeLimit = 32;
constexpr int kBlockUnit = 1024;
constexpr int kMaxFields = 255;
constexpr int kTableNameSizeV7 = 261;
constexpr int kTableNameSize = 79;
constexpr int kPointerSize = 4;
constexpr int kFieldEntrySize = 2;
constexpr quint32 kNotEncryptedV4 = 0xFF00FF00;
constexpr quint16 kHeaderConstant = 0x0F1F;
constexpr quint8 kDataFileMark = 0x20;
constexpr quint16 kVersionWordV7 = 0x010C;
constexpr quint16 kExtensionConstant = 0x0101;

// Data blocks.
constexpr int kBlockNextOffset = 0;
constexpr int kBlockPrevOffset = 2;
constexpr int kBlockAddDataSizeOffset = 4;
constexpr int kBlockHeaderSize = 6;

// Field value sizes.
constexpr int kBcdStoredSize = 17;
constexpr int kBcdMaxDecimals = 32;
constexpr int kBcdDigits = 32;
constexpr quint8 kBcdPositiveBit = 0x80;
constexpr int kBlobDescriptorSize = 10;
constexpr quint8 kLogicalFalse = 0x80;
constexpr quint8 kLogicalTrue = 0x81;
/// Day 1 is 1 January 0001; its Julian day number minus one.
constexpr qint64 kJulianDayOfDayZero = 1721425;
constexpr qint64 kLastDay = 3652059;
constexpr qint64 kMillisecondsPerDay = 86400000;

// Blob file.
constexpr int kMbBlockSize = 4096;
constexpr quint8 kMbHeaderBlock = 0;
constexpr quint8 kMbSingleBlob = 2;
constexpr quint8 kMbSuballocated = 3;
constexpr quint8 kMbFreeBlock = 4;
constexpr int kMbBlockTypeOffset = 0;
constexpr int kMbBlockUnitsOffset = 1;
constexpr int kMbModCountOffset = 3;
constexpr int kSingleBlobLengthOffset = 3;
constexpr int kSingleBlobModOffset = 7;
constexpr int kSingleBlobDataOffset = 9;
constexpr int kSlotTableOffset = 12;
constexpr int kSlotSize = 5;
constexpr int kSlotCount = 64;
constexpr int kChunkSize = 16;
constexpr int kFirstDataChunk = 21;
constexpr int kChunksPerBlock = 256;
constexpr quint8 kSingleBlobIndex = 0xFF;
constexpr quint32 kBlobOffsetMask = 0xFFFFFF00;
constexpr quint32 kBlobIndexMask = 0x000000FF;
/// Blobs longer than this get a block of their own.
constexpr int kSuballocationLimit = 2048;

/// A header field that a writer changes along with the data.
struct TPxWatchedBytes {
    int offset;
    int size;
};
/// Counts, chain ends and change counters of a table header: equal bytes here and an equal file
/// stamp mean the blocks read belong to one version of the table. (The update time and last change
/// counter sit in the version 4 extension; older tables hold constant field entries there.)
constexpr TPxWatchedBytes kTableVersionFields[] = { { kNumRecordsOffset, 4 }, { kNextBlockOffset, 2 },
    { kFileBlocksOffset, 2 }, { kFirstBlockOffset, 2 }, { kLastBlockOffset, 2 }, { kChangeCounterOffset, 2 },
    { kChangeCount1Offset, 1 }, { kChangeCount2Offset, 1 }, { kAutoIncOffset, 4 },
    { kFirstFreeBlockOffset, 2 }, { kUpdateTimeOffset, 4 }, { kExtensionChangeOffset, 2 } };
constexpr TPxWatchedBytes kBlobFileVersionFields[] = { { kMbModCountOffset, 2 } };

} // namespace paradox
