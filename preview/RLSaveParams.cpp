#include "preview/RLSaveParams.h"

#include "filters/RLFilters.h"
#include "support/TextUtils.h"

TRLSaveParams::TRLSaveParams(TComponent* owner)
    : TRLPageRangeParams(owner)
{
}

TRLCustomSaveFilter* TRLSaveParams::Filter() const
{
    return static_cast<TRLCustomSaveFilter*>(FilterComponent());
}

void TRLSaveParams::SetFilter(TRLCustomSaveFilter* filter)
{
    SetFilterComponent(filter);
}

void TRLSaveParams::Reset()
{
    ResetPageRange();
    FileName.clear();
    SaveRange = TRLSaveRange::rsrAllPages;
}

TRLSaveParams& SaveParams()
{
    static TRLSaveParams params;
    return params;
}

QString FileNameExtension(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < fileName.lastIndexOf(QLatin1Char('/')))
        return {};
    return fileName.mid(dot);
}

QString SaveFormatExtension(const TRLCustomSaveFilter* filter)
{
    return filter ? ForceExtDot(filter->DefaultExt()) : kRLPageFileExtension.toString();
}

std::optional<TRLCustomSaveFilter*> SaveFormatOfExtension(
    const QString& extension, TRLCustomSaveFilter* preferred)
{
    const auto carries = [&extension](const TRLCustomSaveFilter* filter) {
        const QString own = SaveFormatExtension(filter);
        // A filter without an extension claims no name.
        return !own.isEmpty() && own.compare(extension, Qt::CaseInsensitive) == 0;
    };
    if (extension.isEmpty() || extension == u".")
        return std::nullopt;
    if (preferred && carries(preferred))
        return preferred;
    for (TRLCustomFilter* filter : ActiveFilters()) {
        auto* saveFilter = dynamic_cast<TRLCustomSaveFilter*>(filter);
        if (saveFilter && carries(saveFilter))
            return saveFilter;
    }
    if (carries(nullptr))
        return nullptr;
    return std::nullopt;
}

TRLSaveTarget ChooseSaveTarget(const QString& fileName, TRLCustomSaveFilter* selected)
{
    if (const auto format = SaveFormatOfExtension(FileNameExtension(fileName), selected))
        return { *format, fileName };
    QString name = fileName;
    // "pedido." already ends in the dot the extension brings.
    if (name.endsWith(u'.'))
        name.chop(1);
    return { selected, name + SaveFormatExtension(selected) };
}
