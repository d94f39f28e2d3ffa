#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <memory>
#include <string>

class TRLXLSRecordWriter;
class TRLXLSScratchFile;

/// The workbook's shared strings (SST). A workbook holds every text of every page, so the table's
/// records are written into a scratch file as the strings come, and each string's place into a
/// second one; memory holds neither the texts nor their places. The globals, which precede the
/// sheets in the stream, take the finished records with their EXTSST index from here.
class TRLXLSSharedStrings {
public:
    /// Creates the two scratch files; throws EReportError when the temporary directory takes none.
    TRLXLSSharedStrings();
    /// Deletes the scratch files.
    ~TRLXLSSharedStrings();
    TRLXLSSharedStrings(const TRLXLSSharedStrings&) = delete;
    TRLXLSSharedStrings& operator=(const TRLXLSSharedStrings&) = delete;

    /// The next string index; equal texts are not merged.
    quint32 Add(QStringView text);
    quint32 Count() const { return m_count; }

    /// The SST record with its CONTINUE records, then the EXTSST record, into `out`; nothing when
    /// no string was added. Ends the table: call once, after the last Add.
    void WriteRecords(TRLXLSRecordWriter& out);

private:
    void FlushPlaces();
    /// The place of string `index` as Add recorded it, read back from the places file.
    void ReadPlace(quint32 index, quint32& position, quint16& recordOffset);

    std::unique_ptr<TRLXLSScratchFile> m_records;
    std::unique_ptr<TRLXLSRecordWriter> m_writer;
    std::unique_ptr<TRLXLSScratchFile> m_places;
    /// Places not yet in their file.
    std::string m_placeBuffer;
    quint32 m_count = 0;
};
