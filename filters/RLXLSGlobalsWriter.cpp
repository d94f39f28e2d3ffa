#include "filters/RLXLSGlobalsWriter.h"

#include "filters/RLXLSRecordWriter.h"
#include "filters/RLXLSSaveTables.h"
#include "filters/RLXLSSharedStrings.h"

#include <QByteArray>
#include <algorithm>

namespace {

// Record types of the globals.
constexpr quint16 kRecordBof = 0x0809;
constexpr quint16 kRecordInterfaceHdr = 0x00E1;
constexpr quint16 kRecordMms = 0x00C1;
constexpr quint16 kRecordInterfaceEnd = 0x00E2;
constexpr quint16 kRecordWriteAccess = 0x005C;
constexpr quint16 kRecordCodePage = 0x0042;
constexpr quint16 kRecordDsf = 0x0161;
constexpr quint16 kRecordExcel9File = 0x01C0;
constexpr quint16 kRecordTabId = 0x013D;
constexpr quint16 kRecordFnGroupCount = 0x009C;
constexpr quint16 kRecordWindowProtect = 0x0019;
constexpr quint16 kRecordProtect = 0x0012;
constexpr quint16 kRecordPassword = 0x0013;
constexpr quint16 kRecordProt4Rev = 0x01AF;
constexpr quint16 kRecordProt4RevPass = 0x01BC;
constexpr quint16 kRecordWindow1 = 0x003D;
constexpr quint16 kRecordBackup = 0x0040;
constexpr quint16 kRecordHideObj = 0x008D;
constexpr quint16 kRecordDateMode = 0x0022;
constexpr quint16 kRecordPrecision = 0x000E;
constexpr quint16 kRecordRefreshAll = 0x01B7;
constexpr quint16 kRecordBookBool = 0x00DA;
constexpr quint16 kRecordFont = 0x0031;
constexpr quint16 kRecordFormat = 0x041E;
constexpr quint16 kRecordXf = 0x00E0;
constexpr quint16 kRecordPalette = 0x0092;
constexpr quint16 kRecordUsesElfs = 0x0160;
constexpr quint16 kRecordBoundSheet = 0x0085;
constexpr quint16 kRecordCountry = 0x008C;
constexpr quint16 kRecordEof = 0x000A;

constexpr quint16 kBiffVersion = 0x0600;
constexpr quint16 kSubstreamGlobals = 0x0005;
constexpr quint16 kBuild = 3515;
constexpr quint16 kBuildYear = 1996;
constexpr quint32 kLowestVersion = 0x00000600;
constexpr quint16 kCodePage = 1252;
constexpr int kWriteAccessSize = 112;
constexpr quint16 kFunctionGroups = 14;
constexpr quint16 kCountry = 7;

// WINDOW1.
constexpr quint16 kWindowX = 360;
constexpr quint16 kWindowY = 30;
constexpr quint16 kWindowWidth = 7454;
constexpr quint16 kWindowHeight = 6240;
constexpr quint16 kWindowFlags = 0x0038;
constexpr quint16 kTabRatio = 600;

// FONT.
constexpr int kTwipsPerPoint = 20;
constexpr quint16 kFontItalic = 0x0002;
constexpr quint16 kFontStrikeOut = 0x0008;
constexpr quint16 kWeightNormal = 400;
constexpr quint16 kWeightBold = 700;
constexpr quint8 kUnderlineSingle = 1;
/// A face name as the platform describes a font holds 31 characters at most.
constexpr int kMaxFontName = 31;
// Pitch as the platform's font description encodes it, with no family given.
constexpr quint8 kPitchDefault = 0;
constexpr quint8 kPitchFixed = 1;
constexpr quint8 kPitchVariable = 2;

// The style formats and styles, as stored with their record headers.
const QByteArray kStyleFormat0
    = QByteArray::fromHex("e0 00 14 00 00 00 00 00 f5 ff 20 00 00 00 00 00 00 00 00 00 00 00 c0 20");
const QByteArray kStyleFormat1
    = QByteArray::fromHex("e0 00 14 00 01 00 00 00 f5 ff 20 00 00 f4 00 00 00 00 00 00 00 00 c0 20");
const QByteArray kStyleFormat3
    = QByteArray::fromHex("e0 00 14 00 02 00 00 00 f5 ff 20 00 00 f4 00 00 00 00 00 00 00 00 c0 20");
const QByteArray kStyleFormat5
    = QByteArray::fromHex("e0 00 14 00 00 00 00 00 f5 ff 20 00 00 f4 00 00 00 00 00 00 00 00 c0 20");
const QByteArray kStyles[] = {
    QByteArray::fromHex("93 02 04 00 10 80 04 FF"),
    QByteArray::fromHex("93 02 04 00 11 80 07 FF"),
    QByteArray::fromHex("93 02 04 00 00 80 00 FF"),
    QByteArray::fromHex("93 02 04 00 12 80 05 FF"),
    QByteArray::fromHex("93 02 04 00 13 80 03 FF"),
    QByteArray::fromHex("93 02 04 00 14 80 06 FF"),
};

void WriteWord(TRLXLSRecordWriter& out, quint16 type, quint16 value)
{
    out.Begin(type);
    out.WriteUInt16(value);
    out.End();
}

void WriteEmpty(TRLXLSRecordWriter& out, quint16 type)
{
    out.Begin(type);
    out.End();
}

void WriteBof(TRLXLSRecordWriter& out)
{
    out.Begin(kRecordBof);
    out.WriteUInt16(kBiffVersion);
    out.WriteUInt16(kSubstreamGlobals);
    out.WriteUInt16(kBuild);
    out.WriteUInt16(kBuildYear);
    out.WriteUInt32(0);
    out.WriteUInt32(kLowestVersion);
    out.End();
}

/// A counted string padded with blanks to the record's fixed size, so that readers find the name.
void WriteWriteAccess(TRLXLSRecordWriter& out, const QString& userName)
{
    constexpr int kStringHeader = 3;
    const QString name = userName.left((kWriteAccessSize - kStringHeader) / 2);
    out.Begin(kRecordWriteAccess);
    out.WriteString16(name);
    out.WriteBytes(QByteArray(kWriteAccessSize - kStringHeader - 2 * name.size(), ' '));
    out.End();
}

void WriteSettings(TRLXLSRecordWriter& out, const QString& userName, std::size_t sheetCount)
{
    WriteWord(out, kRecordInterfaceHdr, kCodePage);
    WriteWord(out, kRecordMms, 0);
    WriteEmpty(out, kRecordInterfaceEnd);
    WriteWriteAccess(out, userName);
    WriteWord(out, kRecordCodePage, kCodePage);
    WriteWord(out, kRecordDsf, 0);
    WriteEmpty(out, kRecordExcel9File);
    out.Begin(kRecordTabId);
    for (std::size_t i = 0; i < sheetCount; ++i)
        out.WriteUInt16(quint16(i));
    out.End();
    WriteWord(out, kRecordFnGroupCount, kFunctionGroups);
    for (const quint16 type :
        { kRecordWindowProtect, kRecordProtect, kRecordPassword, kRecordProt4Rev, kRecordProt4RevPass })
        WriteWord(out, type, 0);
    out.Begin(kRecordWindow1);
    out.WriteUInt16(kWindowX);
    out.WriteUInt16(kWindowY);
    out.WriteUInt16(kWindowWidth);
    out.WriteUInt16(kWindowHeight);
    out.WriteUInt16(kWindowFlags);
    out.WriteUInt16(0);
    out.WriteUInt16(0);
    out.WriteUInt16(1);
    out.WriteUInt16(kTabRatio);
    out.End();
    for (const quint16 type : { kRecordBackup, kRecordHideObj, kRecordDateMode })
        WriteWord(out, type, 0);
    WriteWord(out, kRecordPrecision, 1);
    WriteWord(out, kRecordRefreshAll, 0);
    WriteWord(out, kRecordBookBool, 0);
}

quint8 PitchCode(TFontPitch pitch)
{
    switch (pitch) {
    case fpFixed:
        return kPitchFixed;
    case fpVariable:
        return kPitchVariable;
    case fpDefault:
        break;
    }
    return kPitchDefault;
}

void WriteFont(TRLXLSRecordWriter& out, const TRLXLSFontEntry& entry)
{
    const TFont& font = entry.Font;
    quint16 options = 0;
    if (font.Style.testFlag(fsItalic))
        options |= kFontItalic;
    if (font.Style.testFlag(fsStrikeOut))
        options |= kFontStrikeOut;
    out.Begin(kRecordFont);
    out.WriteUInt16(quint16(std::clamp<qint64>(qint64(font.Size()) * kTwipsPerPoint, 0, 0xFFFF)));
    out.WriteUInt16(options);
    out.WriteUInt16(quint16(entry.ColorIndex));
    out.WriteUInt16(font.Style.testFlag(fsBold) ? kWeightBold : kWeightNormal);
    out.WriteUInt16(0);
    out.WriteUInt8(font.Style.testFlag(fsUnderline) ? kUnderlineSingle : 0);
    out.WriteUInt8(PitchCode(font.Pitch));
    out.WriteUInt8(font.Charset);
    out.WriteUInt8(0);
    out.WriteString8(font.Name.left(kMaxFontName));
    out.End();
}

void WriteFormats(TRLXLSRecordWriter& out, const TRLXLSSaveTables& tables)
{
    for (const TRLXLSFontEntry& font : tables.Fonts())
        WriteFont(out, font);
    for (const TRLXLSFormatEntry& format : tables.Formats()) {
        out.Begin(kRecordFormat);
        out.WriteUInt16(format.Index);
        out.WriteString16(format.Text);
        out.End();
    }
    out.WriteStoredRecord(kStyleFormat0);
    out.WriteStoredRecord(kStyleFormat1);
    out.WriteStoredRecord(kStyleFormat1);
    out.WriteStoredRecord(kStyleFormat3);
    out.WriteStoredRecord(kStyleFormat3);
    for (int i = 5; i < TRLXLSSaveTables::kStyleFormatCount; ++i)
        out.WriteStoredRecord(kStyleFormat5);
    for (const QByteArray& cellFormat : tables.CellFormats()) {
        out.Begin(kRecordXf);
        out.WriteBytes(cellFormat);
        out.End();
    }
}

void WritePalette(TRLXLSRecordWriter& out, const TRLXLSPalette& palette)
{
    if (!palette.Modified())
        return;
    out.Begin(kRecordPalette);
    out.WriteUInt16(TRLXLSPalette::kColorCount);
    for (int i = 0; i < TRLXLSPalette::kColorCount; ++i) {
        const TColor color = palette.Colors(i);
        out.WriteUInt8(quint8(color & 0xFF));
        out.WriteUInt8(quint8((color >> 8) & 0xFF));
        out.WriteUInt8(quint8((color >> 16) & 0xFF));
        out.WriteUInt8(0);
    }
    out.End();
}

std::vector<qint64> WriteBoundSheets(TRLXLSRecordWriter& out, const std::vector<QString>& titles)
{
    std::vector<qint64> positions;
    for (const QString& title : titles) {
        positions.push_back(out.Position() + TRLXLSRecordWriter::kRecordHeaderSize);
        out.Begin(kRecordBoundSheet);
        out.WriteUInt32(0);
        out.WriteUInt8(0);
        out.WriteUInt8(0);
        out.WriteString8(title);
        out.End();
    }
    return positions;
}

} // namespace

std::vector<qint64> WriteGlobals(TRLXLSRecordWriter& out, TRLXLSSaveTables& tables, const QString& userName,
    const std::vector<QString>& sheetTitles)
{
    WriteBof(out);
    WriteSettings(out, userName, sheetTitles.size());
    WriteFormats(out, tables);
    WritePalette(out, tables.Palette);
    for (const QByteArray& style : kStyles)
        out.WriteStoredRecord(style);
    WriteWord(out, kRecordUsesElfs, 0);
    std::vector<qint64> positions = WriteBoundSheets(out, sheetTitles);
    out.Begin(kRecordCountry);
    out.WriteUInt16(kCountry);
    out.WriteUInt16(kCountry);
    out.End();
    return positions;
}

void WriteGlobalsEnd(TRLXLSRecordWriter& out, TRLXLSSharedStrings& strings, qint64 tableStart)
{
    strings.WriteIndex(out, tableStart);
    out.Begin(kRecordEof);
    out.End();
}
