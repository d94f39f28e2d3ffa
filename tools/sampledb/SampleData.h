#pragma once

#include "tools/sampledb/ParadoxWriter.h"

#include <QString>
#include <QVariant>
#include <vector>

struct TTableDefinition;

/// One table of the sample database: what the generator means to write.
struct TSampleTable {
    QString fileName;
    std::vector<TPxColumn> columns;
    /// One value per column; a null QVariant is NULL. Graphics are BMP files without the engine header.
    std::vector<std::vector<QVariant>> records;
};

/// The Paradox columns of a declared business table: string(n) as alpha n, float as number,
/// integer as long, boolean as logical, date, memo with a 40-byte leader, graphic without a leader.
std::vector<TPxColumn> ColumnsOf(const TTableDefinition& definition);

/// The order number of the large order that SampleDatabase adds on request.
constexpr int kLargeOrderCode = 9;

/// The sample business database, the same on every run: the issuing company with its logo, suppliers,
/// carriers, products, and the purchase orders 1 to 8 with their items. With `largeOrderItems` above
/// zero, order 9 with that many items is added (for benchmarks); the other orders stay as they are.
std::vector<TSampleTable> SampleDatabase(int largeOrderItems = 0);

/// The sample company logo: a 24-bit Windows bitmap.
QByteArray SampleLogo();
