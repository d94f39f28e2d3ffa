#pragma once

#include <QFlags>

#include "preview/RLPageRangeParams.h"

#include <QString>
#include <optional>

class TRLCustomSaveFilter;

/// The page file's extension, with its dot.
constexpr QStringView kRLPageFileExtension = u".rpf";

enum class TRLSaveDialogOption : unsigned { rsoDisableSaveInBackground = 0x01 };
Q_DECLARE_FLAGS(TRLSaveDialogOptions, TRLSaveDialogOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TRLSaveDialogOptions)

enum class TRLSaveRange { rsrAllPages, rsrSelection, rsrPageNums };

/// What the save dialog shows and returns; one shared instance, SaveParams().
class TRLSaveParams : public TRLPageRangeParams {
public:
    explicit TRLSaveParams(TComponent* owner = nullptr);

    TRLSaveDialogOptions Options;
    QString FileName;
    TRLSaveRange SaveRange = TRLSaveRange::rsrAllPages;
    bool SaveInBackground = false;
    /// nullptr: the page file. Cleared when the filter is destroyed.
    TRLCustomSaveFilter* Filter() const;
    void SetFilter(TRLCustomSaveFilter* filter);

    void Reset();
};

/// The shared save parameters, created on first use.
TRLSaveParams& SaveParams();

/// The extension of a file name with its dot, from the last dot after the last "/"; empty when
/// there is none.
QString FileNameExtension(const QString& fileName);

/// The format whose files carry `extension` (with its dot, any letter case): `preferred` when its
/// own extension is that one, else the first live save filter with it, nullptr for the page file;
/// no value when no format has it.
std::optional<TRLCustomSaveFilter*> SaveFormatOfExtension(
    const QString& extension, TRLCustomSaveFilter* preferred = nullptr);

/// The extension, with its dot, that files of a save filter carry (the page file's for nullptr).
QString SaveFormatExtension(const TRLCustomSaveFilter* filter);

/// What a save writes, chosen so that a file's extension always names what it holds.
struct TRLSaveTarget {
    /// nullptr: the page file.
    TRLCustomSaveFilter* Filter = nullptr;
    QString FileName;
};

/// The name's extension picks the format when a format has it (`selected` first); any other
/// name keeps `selected` and gets its extension appended, so "pedido.txt" with the PDF filter
/// becomes "pedido.txt.pdf" rather than a PDF under ".txt".
TRLSaveTarget ChooseSaveTarget(const QString& fileName, TRLCustomSaveFilter* selected);
