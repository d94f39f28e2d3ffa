#pragma once

#include "support/Variant.h"

#include <QStringList>
#include <functional>
#include <vector>

class TComponent;

/// What a component path reaches: a component, or the font that a control publishes.
struct TRLPathObject {
    TComponent* Component = nullptr;
    /// The font of Component (a TControl) rather than Component itself.
    bool IsFont = false;

    bool IsValid() const { return Component != nullptr; }
    /// "TFont" for a font, else the component's class name.
    QString ClassName() const;
    bool operator==(const TRLPathObject&) const = default;
};

/// How a published property reads and writes: integers (and colours) as integers, enumerations and
/// Booleans by value name, sets as their element names ("[fsBold,fsItalic]"), objects not at all
/// (a path steps into them instead).
enum class TRLPropertyKind { Integer, Float, String, Enumeration, Set, Object };

/// One published property of the objects `AppliesTo` accepts.
struct TRLPublishedProperty {
    QString Name;
    TRLPropertyKind Kind = TRLPropertyKind::Integer;
    std::function<bool(const TRLPathObject& object)> AppliesTo;
    /// Integer, Float, String: the value; Enumeration: the value name; Set: the element names.
    std::function<TVariant(const TRLPathObject& object)> Read;
    /// Absent for a read-only property. Receives the value as given; throws EReportError naming the
    /// property when it does not fit.
    std::function<void(const TRLPathObject& object, const TVariant& value)> Write;
    /// Object: the object the property holds (invalid when none).
    std::function<TRLPathObject(const TRLPathObject& object)> Target;
};

/// The small property table through which expressions read and set properties by name. The
/// platform's classes are registered from the start; higher layers add theirs.
class TRLPublishedProperties {
public:
    static TRLPublishedProperties& Instance();

    void Add(TRLPublishedProperty property);
    /// The property of that name (case-insensitive) that applies to `object`; the most recently
    /// added wins, so that a derived class may redefine a property.
    const TRLPublishedProperty* Find(const TRLPathObject& object, QStringView name) const;

    /// Adds a property of the objects that are components of class T (or derived from it).
    template<class T>
    void AddFor(QString name, TRLPropertyKind kind, std::function<TVariant(T&)> read,
        std::function<void(T&, const TVariant&)> write = {});

private:
    TRLPublishedProperties();
    std::vector<TRLPublishedProperty> m_properties;
};

/// Empty when the object has no readable property of that name (objects, unknown names).
TVariant ReadPublishedProperty(const TRLPathObject& object, QStringView name);
/// False when there is no writable property of that name; throws EReportError for a value that the
/// property cannot take.
bool WritePublishedProperty(const TRLPathObject& object, QStringView name, const TVariant& value);
/// The object an object-typed property holds; invalid when there is no such property or it is empty.
TRLPathObject PublishedObject(const TRLPathObject& object, QStringView name);

/// Helpers for property tables: an enumeration's value from its name (case-insensitive), a set's
/// elements from "[a,b]" text. Both throw EReportError naming the property for an unknown name.
int EnumerationValue(QStringView property, const QStringList& names, const TVariant& value);
/// "True" or "False", as layouts store a boolean property.
TVariant BooleanName(bool value);
/// A boolean, or the name "True" or "False" in any case; throws EReportError naming the property
/// for anything else.
bool BooleanValue(QStringView property, const TVariant& value);
QString SetText(const QStringList& elementNames, unsigned bits);
unsigned SetValue(QStringView property, const QStringList& elementNames, const TVariant& value);
/// The value as an int, throwing EReportError naming the property when it does not fit.
int IntegerValue(QStringView property, const TVariant& value);

template<class T>
void TRLPublishedProperties::AddFor(QString name, TRLPropertyKind kind, std::function<TVariant(T&)> read,
    std::function<void(T&, const TVariant&)> write)
{
    TRLPublishedProperty property;
    property.Name = std::move(name);
    property.Kind = kind;
    property.AppliesTo
        = [](const TRLPathObject& object) { return !object.IsFont && dynamic_cast<T*>(object.Component); };
    property.Read = [read](const TRLPathObject& object) { return read(*dynamic_cast<T*>(object.Component)); };
    if (write) {
        property.Write = [write](const TRLPathObject& object, const TVariant& value) {
            write(*dynamic_cast<T*>(object.Component), value);
        };
    }
    Add(std::move(property));
}
