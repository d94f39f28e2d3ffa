#pragma once

#include "support/Variant.h"

#include <QString>
#include <QStringList>
#include <vector>

class TComponent;
class TControl;

/// Builds a report in code, or from a layout file: creates report components by class name under
/// one owner, names them, places them under a parent and sets their published properties by name
/// (the table formulas use). A component is loading from Create until the next Create or Finish,
/// and lays itself out once when that ends; so the order of its property writes does not matter.
///
/// Call order: Create, any number of Set, ..., Finish. When a step throws, Discard deletes
/// everything built so far, leaving the owner as it was.
class TRLReportBuilder {
public:
    /// The components built belong to `owner`; data sources are looked up among its components.
    explicit TRLReportBuilder(TComponent& owner);
    TRLReportBuilder(const TRLReportBuilder&) = delete;
    TRLReportBuilder& operator=(const TRLReportBuilder&) = delete;

    /// The class names Create knows, in alphabetical order ("TRLBand", "TRLDBText", ...).
    static QStringList ClassNames();
    /// A new component of that class under `owner`, as its constructor makes it; none for a class
    /// Create does not know.
    static TComponent* NewComponent(const QString& className, TComponent* owner);

    /// Finishes the previous component, then creates one of `className` named `name` under `parent`
    /// (none for a report). Throws EReportError for an unknown class, a name that is no identifier or
    /// that the owner already has, and for a report placed under a parent or a control without one.
    TComponent* Create(const QString& className, const QString& name, TControl* parent);
    /// Create's control of that name made earlier (or already owned); none when there is none.
    TControl* FindControl(const QString& name) const;

    /// Sets a property of the component being built by its path ("Caption", "Font.Height",
    /// "Borders.DrawLeft"). Throws EReportError for an unknown or read-only property and for a value
    /// the property cannot take.
    void Set(QStringView path, const TVariant& value);

    /// Ends the loading of the component being built.
    void Finish();
    /// Deletes every component built so far, newest first.
    void Discard();
    /// The components built, in creation order.
    const std::vector<TComponent*>& Built() const { return m_built; }

private:
    TComponent& m_owner;
    std::vector<TComponent*> m_built;
    TComponent* m_current = nullptr;
};
