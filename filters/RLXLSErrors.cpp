#include "filters/RLXLSErrors.h"

#include "platform/Exceptions.h"
#include "support/SaveFiles.h"

#include <QCoreApplication>
#include <QIODevice>

void RaiseXLSCannotCreate(const QString& fileName, const QString& reason)
{
    throw EReportError(
        QCoreApplication::translate("TRLXLSFilter", "Cannot create %1: %2").arg(fileName, reason));
}

void RaiseXLSCannotWrite(const QString& target, const QIODevice& device)
{
    RaiseCannotWrite(target, device.errorString());
}

void RaiseXLSCannotRead(const QString& target, const QIODevice& device)
{
    throw EReportError(
        QCoreApplication::translate("TRLXLSFilter", "Cannot read %1: %2").arg(target, device.errorString()));
}

void RaiseXLSStreamTooLarge(const QString& target, qint64 size)
{
    throw EReportError(QCoreApplication::translate("TRLXLSFilter",
        "Cannot write %1: the workbook stream of %2 bytes is larger than a compound document holds")
                           .arg(target)
                           .arg(size));
}

void RaiseXLSHeaderTooLong(const QString& which, qsizetype length)
{
    throw EReportError(
        QStringLiteral("Spreadsheet: the page %1 has %2 characters, more than the 255 the format holds")
            .arg(which)
            .arg(length));
}

void RaiseXLSBadCellArea(const QString& sheetName, int left, int top, int right, int bottom)
{
    throw EReportError(
        QStringLiteral("Spreadsheet: the cell area from column %1, row %2 to column %3, row %4 "
                       "does not fit sheet \"%5\" (columns 0 to 255, rows 0 to 65535, first "
                       "before last)")
            .arg(left)
            .arg(top)
            .arg(right)
            .arg(bottom)
            .arg(sheetName));
}
