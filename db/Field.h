#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QVariant>
#include <optional>

class TDataSet;

/// The value kinds a field can hold. Values travel as QVariant:
/// ftString, ftMemo -> QString; ftSmallint, ftInteger, ftAutoInc -> int; ftFloat, ftCurrency, ftBCD ->
/// double; ftBoolean -> bool; ftDate -> QDate; ftTime -> QTime; ftDateTime -> QDateTime (UTC, i.e. wall
/// clock without a zone); ftBytes, ftBlob, ftFmtMemo, ftGraphic, ftOle -> QByteArray.
enum class TFieldType {
    ftString,
    ftSmallint,
    ftInteger,
    ftAutoInc,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftBytes,
    ftMemo,
    ftFmtMemo,
    ftGraphic,
    ftBlob,
    ftOle,
};

/// "string", "float", "graphic"...: the names used in messages.
QString FieldTypeName(TFieldType type);
/// "ftString", "ftFloat"...: the enumeration's own names, as files keep them.
QString FieldTypeIdentifier(TFieldType type);
/// The type of an identifier FieldTypeIdentifier gives (case-sensitive); none for any other text.
std::optional<TFieldType> FieldTypeOfIdentifier(QStringView identifier);

/// One column of a dataset, read at the dataset's current record. Owned by its dataset and valid as
/// long as it lives. With no current record (closed, empty) a field is null: empty text and zero.
class TField {
public:
    /// Made by the dataset (TDataSet::CreateField); `size` is kept for ftString and ftBytes only.
    TField(TDataSet* dataSet, int index, const QString& fieldName, TFieldType type, int size);
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    /// The owning dataset.
    TDataSet* DataSet() const { return m_dataSet; }
    /// Position in the dataset's field list, from 0.
    int Index() const { return m_index; }
    /// The name FindField and DataField match, case-insensitively.
    const QString& FieldName() const { return m_fieldName; }
    /// The kind of value; see TFieldType for the QVariant type of each.
    TFieldType DataType() const { return m_type; }
    /// Capacity in characters for ftString and ftBytes; 0 for the other kinds.
    int Size() const { return m_size; }
    /// The name shown for the field outside printing; the field name unless set.
    ///@{
    QString DisplayLabel() const;
    void SetDisplayLabel(const QString& label) { m_displayLabel = label; }
    ///@}
    /// Memo, formatted memo, graphic, binary and OLE fields.
    bool IsBlob() const;

    /// No value at the current record, or no current record.
    bool IsNull() const;
    /// The typed value; a null QVariant for a null field.
    QVariant Value() const;
    /// The value as shown to a reader: floats in general format with up to 15 significant digits and
    /// the locale's decimal separator, dates in the locale's short date format, strings without
    /// trailing blanks; empty for null.
    QString DisplayText() const;
    /// The value as text; a memo's whole text; empty for null.
    QString AsString() const;
    /// The numeric value; 0 for null or for text that is not a number.
    double AsFloat() const;
    /// The value converted to an integer; 0 for null or for a value that does not convert.
    int AsInteger() const;
    /// The stored bytes of a blob or bytes field (a graphic keeps its 8-byte header); empty otherwise.
    QByteArray AsBytes() const;
    /// The picture of a graphic (or binary) field, without the graphic header; a null image for a null
    /// field. Throws EReportError naming the field when the bytes are not a picture.
    QImage Picture() const;

private:
    TDataSet* m_dataSet;
    int m_index;
    QString m_fieldName;
    TFieldType m_type;
    int m_size;
    QString m_displayLabel;
    /// The last picture decoded and the bytes it came from: a report prints the same logo on
    /// every page, and decoding it is dearer than comparing the bytes.
    mutable QByteArray m_pictureBytes;
    mutable QImage m_picture;
};
