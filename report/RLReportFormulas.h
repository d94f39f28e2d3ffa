#pragma once

/// @file
/// Binding an expression parser to a report, and the conversions between its values and
/// QVariant.

#include "support/Variant.h"

#include <QVariant>

class TRLCustomReport;
class TRLExpressionParser;

/// Makes `report` evaluate its formulas (DataFormula, KeyFormula) through `parser`, whose names
/// then resolve to fields of the printing control's data sources and to the components of the
/// parser's owner; nullptr detaches. The binding ends by itself when either side is destroyed.
/// Several reports may share one parser: each evaluation runs with the resolvers of its report.
void SetReportExpressionParser(TRLCustomReport& report, TRLExpressionParser* parser);
/// The parser bound to `report`, or none.
TRLExpressionParser* ReportExpressionParser(const TRLCustomReport& report);

/// Values across the report's QVariant boundary: an invalid QVariant is empty, a null one (and a
/// QVariant holding nullptr) is Null, dates become day counts, byte arrays Latin-1 text.
TVariant ToVariant(const QVariant& value);
/// A formula's value as text without a mask: the user's decimal separator, True and False, the
/// locale's date form; empty for null.
QString FormulaValueText(const QVariant& value);
/// Empty gives an invalid QVariant, Null a QVariant holding nullptr, a date a QDateTime.
QVariant ToQVariant(const TVariant& value);

/// Adds the report's controls, data sources and datasets to the published-property table; runs once.
void RegisterReportProperties();
