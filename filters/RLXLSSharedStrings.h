#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <memory>
#include <string>

class QIODevice;
class TRLXLSRecordWriter;
class TRLXLSScratchFile;

/// The workbook's shared strings (SST). A workbook holds every text of every page, so the table's
/// records are written into a scratch file as the strings come, and each string's place into a
/// second one; memory holds neither the texts nor their places. The globals, which precede the
/// sheets in the stream, take the finished records with their EXTSST index from here: Finish,
/// then CopyTable where the table goes and WriteIndex after it.
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

    /// Ends the table, after the last Add.
    void Finish();
    /// Bytes of the SST record with its CONTINUE records; 0 when no string was added.
    qint64 TableSize() const;
    /// The SST record with its CONTINUE records into `out`; `target` names `out` in errors.
    /// Returns TableSize().
    qint64 CopyTable(QIODevice& out, const QString& target);
    /// The EXTSST record of the table copied to stream position `tableStart`; nothing when no
    /// string was added.
    void WriteIndex(TRLXLSRecordWriter& out, qint64 tableStart);

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
    bool m_finished = false;
};
