#include "filters/RLXLSXErrors.h"

#include "platform/Exceptions.h"
#include "support/SaveFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <xlsxwriter.h>

QString XLSXErrorReason(int error, const QString& tempDir)
{
    const QString folder = QDir::toNativeSeparators(tempDir);
    switch (lxw_error(error)) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return QCoreApplication::translate("TRLXLSXFilter", "there is not enough memory");
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        return QCoreApplication::translate("TRLXLSXFilter",
            "a temporary file in the folder %1 could not be created, written or read; is the disk full?")
            .arg(folder);
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_PARAMETER_ERROR:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return QCoreApplication::translate("TRLXLSXFilter",
            "the workbook's zip container could not be written in the folder %1; is the disk full?")
            .arg(folder);
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
        return QCoreApplication::translate(
            "TRLXLSXFilter", "it lies beyond the 1,048,576 rows and 16,384 columns a sheet has");
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
        return QCoreApplication::translate(
            "TRLXLSXFilter", "the text is longer than the 32,767 characters a cell holds");
    default:
        break;
    }
    return QCoreApplication::translate("TRLXLSXFilter", "the spreadsheet library reports \"%1\"")
        .arg(QString::fromUtf8(lxw_strerror(lxw_error(error))));
}

QString XLSXCellReason(const QString& sheet, int row, int column, const QString& reason)
{
    return QCoreApplication::translate("TRLXLSXFilter", "sheet \"%1\", row %2, column %3: %4")
        .arg(sheet)
        .arg(row)
        .arg(column)
        .arg(reason);
}

QString XLSXSheetReason(const QString& sheet, const QString& reason)
{
    return QCoreApplication::translate("TRLXLSXFilter", "the sheet \"%1\" could not be started: %2")
        .arg(sheet, reason);
}

QString XLSXNoSheetFileReason(const QString& tempDir)
{
    return QCoreApplication::translate("TRLXLSXFilter",
        "no further temporary file could be opened in the folder %1 (each sheet keeps one open until the "
        "workbook is written; export fewer pages, or all of them as one sheet)")
        .arg(QDir::toNativeSeparators(tempDir));
}

void RaiseXLSXPageUnreadable(const QString& target, int page)
{
    RaiseCannotWrite(target,
        QCoreApplication::translate("TRLXLSXFilter",
            "page %1 could not be read back from the temporary page file; the spreadsheet would be "
            "incomplete")
            .arg(page));
}
