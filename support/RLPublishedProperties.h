#pragma once

#include "support/Variant.h"

#include <QStringList>
#include <functional>
#include <vector>

class TComponent;

/// What a component path reaches: a component, the font that a control publishes, or another
/// named part of a component that is no component itself (a control's "Borders").
struct TRLPathObject {
    TRLPathObject() = default;
    TRLPathObject(TComponent* component, bool isFont, QString part = {})
        : Component(component)
        , IsFont(isFont)
        , Part(std::move(part))
    {
    }

    TComponent* Component = nullptr;
    /// The font of Component (a TControl) rather than Component itself.
    bool IsFont = false;
    /// The part of Component the path reached; empty for Component itself.
    QString Part;

    bool IsValid() const { return Component != nullptr; }
    /// Component itself, neither its font nor another part.
    bool IsComponent() const { return Component && !IsFont && Part.isEmpty(); }
    /// "TFont" for a font, else the component's class name.
    QString ClassName() const;
    bool operator==(const TRLPathObject&) const = default;
};

/// How a published property reads and writes: integers (and colours) as integers, enumerations and
/// Booleans by value name, sets as their element names ("[fsBold,fsItalic]"), objects not at all
/// (a path steps into them instead), references to other components by the component's name.
enum class TRLPropertyKind { Integer, Float, String, Enumeration, Set, Object, Reference };

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
    /// Whether a layout file keeps the value; absent means always. A value that follows from
    /// others (a font's Size from its Height) or a default that depends on the language is not kept.
    std::function<bool(const TRLPathObject& object)> Stored;
};

/// The small property table through which expressions read and set properties by name. The
/// platform's classes are registered from the start; higher layers add theirs.
class TRLPublishedProperties {
public:
    static TRLPublishedProperties& Instance();

    void Add(TRLPublishedProperty property);
    /// The property added last, to complete it (its Stored rule); valid until the next Add.
    TRLPublishedProperty& Last() { return m_properties.back(); }
    /// The property of that name (case-insensitive) that applies to `object`; the most recently
    /// added wins, so that a derived class may redefine a property.
    const TRLPublishedProperty* Find(const TRLPathObject& object, QStringView name) const;
    /// Every property that applies to `object` and that Find would answer, in the order they were
    /// added (platform first, so a layout sets bounds before what depends on them).
    std::vector<const TRLPublishedProperty*> PropertiesOf(const TRLPathObject& object) const;

    /// Adds a property of the objects that are components of class T (or derived from it).
    template<class T>
    void AddFor(QString name, TRLPropertyKind kind, std::function<TVariant(T&)> read,
        std::function<void(T&, const TVariant&)> write = {});
    /// Adds the object property `part` of components of class T: a path steps into that part.
    template<class T> void AddPart(const QString& part);
    /// Adds a property of the part `part` of components of class T; read and write get the component.
    template<class T>
    void AddPartProperty(const QString& part, QString name, TRLPropertyKind kind,
        std::function<TVariant(T&)> read, std::function<void(T&, const TVariant&)> write);

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
    property.AppliesTo = [](const TRLPathObject& object) {
        return object.IsComponent() && dynamic_cast<T*>(object.Component);
    };
    property.Read = [read](const TRLPathObject& object) { return read(*dynamic_cast<T*>(object.Component)); };
    if (write) {
        property.Write = [write](const TRLPathObject& object, const TVariant& value) {
            write(*dynamic_cast<T*>(object.Component), value);
        };
    }
    Add(std::move(property));
}

template<class T> void TRLPublishedProperties::AddPart(const QString& part)
{
    TRLPublishedProperty property;
    property.Name = part;
    property.Kind = TRLPropertyKind::Object;
    property.AppliesTo = [](const TRLPathObject& object) {
        return object.IsComponent() && dynamic_cast<T*>(object.Component);
    };
    property.Target = [part](const TRLPathObject& object) {
        return TRLPathObject { object.Component, false, part };
    };
    Add(std::move(property));
}

template<class T>
void TRLPublishedProperties::AddPartProperty(const QString& part, QString name, TRLPropertyKind kind,
    std::function<TVariant(T&)> read, std::function<void(T&, const TVariant&)> write)
{
    TRLPublishedProperty property;
    property.Name = std::move(name);
    property.Kind = kind;
    property.AppliesTo = [part](const TRLPathObject& object) {
        return !object.IsFont && object.Part == part && dynamic_cast<T*>(object.Component);
    };
    property.Read = [read](const TRLPathObject& object) { return read(*dynamic_cast<T*>(object.Component)); };
    property.Write = [write](const TRLPathObject& object, const TVariant& value) {
        write(*dynamic_cast<T*>(object.Component), value);
    };
    Add(std::move(property));
}
