#pragma once

#include "filters/RLXLSPageSetup.h"
#include "filters/RLXLSWorksheet.h"

#include <QFlags>
#include <QHash>
#include <QString>
#include <memory>
#include <vector>

enum class TRLXLSFilterOption : quint8 { foFindValueCells = 0x1 };
Q_DECLARE_FLAGS(TRLXLSFilterOptions, TRLXLSFilterOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TRLXLSFilterOptions)

/// The document being exported: its sheets (owned), the page setup they share and the user name
/// recorded in the file.
class TRLXLSWorkbook {
public:
    static constexpr QStringView kUserName = u"QuirelReport";

    TRLXLSWorkbook();
    ~TRLXLSWorkbook();
    TRLXLSWorkbook(const TRLXLSWorkbook&) = delete;
    TRLXLSWorkbook& operator=(const TRLXLSWorkbook&) = delete;

    QString UserName() const { return kUserName.toString(); }
    TRLXLSPageSetup PageSetup;
    /// Texts that read as numbers become number cells (TRLXLSWorksheet::SetValue).
    bool FindValueCells = false;

    /// A new sheet titled with the library's localized text for "Page" ("Página" in Portuguese)
    /// and the lowest number, from the sheet count + 1 upward, that no sheet has yet (titles
    /// compared without regard to case).
    TRLXLSWorksheet& AddWorksheet();
    int WorksheetCount() const { return int(m_worksheets.size()); }
    TRLXLSWorksheet& Worksheets(int index) const { return *m_worksheets.at(std::size_t(index)); }
    /// Removes every sheet.
    void Clear();

private:
    friend class TRLXLSWorksheet;
    /// Counts a live sheet's title in (+1) or out (-1); its sheet calls it whenever it changes.
    void CountTitle(const QString& title, int change);
    bool HasTitle(const QString& title) const;

    /// Live sheets per case-folded title, so that naming a sheet does not compare it with every
    /// other one: a long document has thousands.
    QHash<QString, int> m_titleCounts;
    std::vector<std::unique_ptr<TRLXLSWorksheet>> m_worksheets;
};
