#pragma once

class QFile;

/// Whether a finished XLSX file is whole: its zip ends with an end-of-central-directory record
/// whose directory ends where that record begins, and every XML part in it, once inflated, ends
/// with the closing tag of its root element. libxlsxwriter does not check its writes to its
/// temporary files, so on a full disk it packs parts cut short into a sound zip and reports
/// success; this is how such a file is told from a whole one. Reads `file` from its start.
bool XLSXPackageWhole(QFile& file);
