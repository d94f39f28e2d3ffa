#include "support/RLPublishedProperties.h"

#include "platform/Control.h"
#include "platform/Exceptions.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <limits>

namespace {

[[noreturn]] void RaiseInvalidPropertyValue(QStringView property, const QString& value)
{
    throw EReportError(QStringLiteral("Invalid value \"%1\" for property %2").arg(value, property));
}

QString ValueText(const TVariant& value)
{
    return value.IsArray() ? value.TypeName() : value.ToString();
}

const QStringList& BooleanNames()
{
    static const QStringList names { QStringLiteral("False"), QStringLiteral("True") };
    return names;
}

const QStringList& FontStyleNames()
{
    static const QStringList names { QStringLiteral("fsBold"), QStringLiteral("fsItalic"),
        QStringLiteral("fsUnderline"), QStringLiteral("fsStrikeOut") };
    return names;
}

const QStringList& FontPitchNames()
{
    static const QStringList names { QStringLiteral("fpDefault"), QStringLiteral("fpVariable"),
        QStringLiteral("fpFixed") };
    return names;
}

/// A new name must be an identifier that no other component of the same owner has: lookups by
/// name would otherwise find the wrong one.
QString ComponentNameValue(const TComponent& component, const TVariant& value)
{
    const QString name = ValueText(value);
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!identifier.match(name).hasMatch())
        RaiseInvalidPropertyValue(u"Name", name);
    if (const TComponent* owner = component.Owner()) {
        const TComponent* same = owner->FindComponent(name);
        if (same && same != &component)
            RaiseInvalidPropertyValue(u"Name", name);
    }
    return name;
}

int ByteValue(QStringView property, const TVariant& value)
{
    const int number = IntegerValue(property, value);
    if (number < 0 || number > 255)
        RaiseInvalidPropertyValue(property, ValueText(value));
    return number;
}

void AddFontProperty(TRLPublishedProperties& table, QString name, TRLPropertyKind kind,
    std::function<TVariant(const TFont&)> read, std::function<void(TFont&, const TVariant&)> write,
    bool stored = true)
{
    TRLPublishedProperty property;
    property.Name = std::move(name);
    property.Kind = kind;
    property.AppliesTo = [](const TRLPathObject& object) {
        return object.IsFont && dynamic_cast<TControl*>(object.Component);
    };
    property.Read = [read = std::move(read)](const TRLPathObject& object) {
        return read(static_cast<TControl*>(object.Component)->Font());
    };
    property.Write = [write = std::move(write)](const TRLPathObject& object, const TVariant& value) {
        auto* control = static_cast<TControl*>(object.Component);
        TFont font = control->Font();
        write(font, value);
        control->SetFont(font);
    };
    if (!stored)
        property.Stored = [](const TRLPathObject&) { return false; };
    table.Add(std::move(property));
}

void AddPlatformProperties(TRLPublishedProperties& table)
{
    const auto integer = TRLPropertyKind::Integer;
    table.AddFor<TComponent>(
        u"Name"_qs, TRLPropertyKind::String, [](TComponent& c) { return TVariant(c.Name()); },
        [](TComponent& c, const TVariant& v) { c.SetName(ComponentNameValue(c, v)); });
    table.AddFor<TComponent>(
        u"Tag"_qs, integer, [](TComponent& c) { return TVariant(c.Tag); },
        [](TComponent& c, const TVariant& v) { c.Tag = IntegerValue(u"Tag", v); });
    table.AddFor<TControl>(
        u"Left"_qs, integer, [](TControl& c) { return TVariant(c.Left()); },
        [](TControl& c, const TVariant& v) { c.SetLeft(IntegerValue(u"Left", v)); });
    table.AddFor<TControl>(
        u"Top"_qs, integer, [](TControl& c) { return TVariant(c.Top()); },
        [](TControl& c, const TVariant& v) { c.SetTop(IntegerValue(u"Top", v)); });
    table.AddFor<TControl>(
        u"Width"_qs, integer, [](TControl& c) { return TVariant(c.Width()); },
        [](TControl& c, const TVariant& v) { c.SetWidth(IntegerValue(u"Width", v)); });
    table.AddFor<TControl>(
        u"Height"_qs, integer, [](TControl& c) { return TVariant(c.Height()); },
        [](TControl& c, const TVariant& v) { c.SetHeight(IntegerValue(u"Height", v)); });
    table.AddFor<TControl>(
        u"Visible"_qs, TRLPropertyKind::Enumeration, [](TControl& c) { return BooleanName(c.Visible()); },
        [](TControl& c, const TVariant& v) { c.SetVisible(BooleanValue(u"Visible", v)); });
    table.AddFor<TControl>(
        u"Color"_qs, integer, [](TControl& c) { return TVariant(qint64(c.Color())); },
        [](TControl& c, const TVariant& v) { c.SetColor(TColor(IntegerValue(u"Color", v))); });
    table.Last().Stored = [](const TRLPathObject& object) {
        return !static_cast<TControl*>(object.Component)->ParentColor();
    };

    TRLPublishedProperty font;
    font.Name = u"Font"_qs;
    font.Kind = TRLPropertyKind::Object;
    font.AppliesTo = [](const TRLPathObject& object) {
        return object.IsComponent() && dynamic_cast<TControl*>(object.Component);
    };
    font.Target = [](const TRLPathObject& object) { return TRLPathObject { object.Component, true }; };
    // A control that follows its parent's font keeps none of its own.
    font.Stored
        = [](const TRLPathObject& object) { return !static_cast<TControl*>(object.Component)->ParentFont(); };
    table.Add(std::move(font));

    AddFontProperty(
        table, u"Name"_qs, TRLPropertyKind::String, [](const TFont& f) { return TVariant(f.Name); },
        [](TFont& f, const TVariant& v) { f.Name = v.ToString(); });
    AddFontProperty(
        table, u"Size"_qs, integer, [](const TFont& f) { return TVariant(f.Size()); },
        [](TFont& f, const TVariant& v) { f.SetSize(IntegerValue(u"Size", v)); }, false);
    AddFontProperty(
        table, u"Height"_qs, integer, [](const TFont& f) { return TVariant(f.Height); },
        [](TFont& f, const TVariant& v) { f.Height = IntegerValue(u"Height", v); });
    AddFontProperty(
        table, u"Color"_qs, integer, [](const TFont& f) { return TVariant(qint64(f.Color)); },
        [](TFont& f, const TVariant& v) { f.Color = TColor(IntegerValue(u"Color", v)); });
    AddFontProperty(
        table, u"Style"_qs, TRLPropertyKind::Set,
        [](const TFont& f) { return TVariant(SetText(FontStyleNames(), unsigned(f.Style.toInt()))); },
        [](TFont& f, const TVariant& v) {
            f.Style = TFontStyles::fromInt(int(SetValue(u"Style", FontStyleNames(), v)));
        });
    AddFontProperty(
        table, u"Pitch"_qs, TRLPropertyKind::Enumeration,
        [](const TFont& f) { return TVariant(FontPitchNames().at(int(f.Pitch))); },
        [](TFont& f, const TVariant& v) {
            f.Pitch = TFontPitch(EnumerationValue(u"Pitch", FontPitchNames(), v));
        });
    AddFontProperty(
        table, u"Charset"_qs, integer, [](const TFont& f) { return TVariant(qint64(f.Charset)); },
        [](TFont& f, const TVariant& v) { f.Charset = quint8(ByteValue(u"Charset", v)); });

    // After Font and Color: a control that follows its parent's goes back to following it.
    table.AddFor<TControl>(
        u"ParentFont"_qs, TRLPropertyKind::Enumeration,
        [](TControl& c) { return BooleanName(c.ParentFont()); },
        [](TControl& c, const TVariant& v) { c.SetParentFont(BooleanValue(u"ParentFont", v)); });
    table.AddFor<TControl>(
        u"ParentColor"_qs, TRLPropertyKind::Enumeration,
        [](TControl& c) { return BooleanName(c.ParentColor()); },
        [](TControl& c, const TVariant& v) { c.SetParentColor(BooleanValue(u"ParentColor", v)); });
}

} // namespace

QString TRLPathObject::ClassName() const
{
    if (!Component)
        return {};
    return IsFont ? QStringLiteral("TFont") : Component->ClassName();
}

TRLPublishedProperties::TRLPublishedProperties()
{
    AddPlatformProperties(*this);
}

TRLPublishedProperties& TRLPublishedProperties::Instance()
{
    static TRLPublishedProperties table;
    return table;
}

void TRLPublishedProperties::Add(TRLPublishedProperty property)
{
    m_properties.push_back(std::move(property));
}

const TRLPublishedProperty* TRLPublishedProperties::Find(const TRLPathObject& object, QStringView name) const
{
    if (!object.IsValid())
        return nullptr;
    for (auto it = m_properties.rbegin(); it != m_properties.rend(); ++it) {
        // Case folding here goes character by character, so names of other lengths never match.
        if (name.size() == it->Name.size() && name.compare(it->Name, Qt::CaseInsensitive) == 0
            && it->AppliesTo(object))
            return &*it;
    }
    return nullptr;
}

std::vector<const TRLPublishedProperty*> TRLPublishedProperties::PropertiesOf(
    const TRLPathObject& object) const
{
    std::vector<const TRLPublishedProperty*> result;
    if (!object.IsValid())
        return result;
    // One pass from the newest, as Find looks: the first that applies under a name is the one
    // Find gives. Asking Find for each property made loading a layout quadratic in the table.
    QSet<QString> found;
    for (auto it = m_properties.rbegin(); it != m_properties.rend(); ++it) {
        if (!it->AppliesTo(object))
            continue;
        const QString key = it->Name.toCaseFolded();
        if (found.contains(key))
            continue;
        found.insert(key);
        result.push_back(&*it);
    }
    std::reverse(result.begin(), result.end());
    return result;
}

TVariant ReadPublishedProperty(const TRLPathObject& object, QStringView name)
{
    const TRLPublishedProperty* property = TRLPublishedProperties::Instance().Find(object, name);
    if (!property || !property->Read)
        return {};
    return property->Read(object);
}

bool WritePublishedProperty(const TRLPathObject& object, QStringView name, const TVariant& value)
{
    const TRLPublishedProperty* property = TRLPublishedProperties::Instance().Find(object, name);
    if (!property || !property->Write)
        return false;
    property->Write(object, value);
    return true;
}

TRLPathObject PublishedObject(const TRLPathObject& object, QStringView name)
{
    const TRLPublishedProperty* property = TRLPublishedProperties::Instance().Find(object, name);
    if (!property || property->Kind != TRLPropertyKind::Object || !property->Target)
        return {};
    return property->Target(object);
}

int EnumerationValue(QStringView property, const QStringList& names, const TVariant& value)
{
    const QString text = ValueText(value).trimmed();
    for (int i = 0; i < names.size(); ++i) {
        if (text.compare(names[i], Qt::CaseInsensitive) == 0)
            return i;
    }
    RaiseInvalidPropertyValue(property, text);
}

TVariant BooleanName(bool value)
{
    return TVariant(BooleanNames().at(value ? 1 : 0));
}

bool BooleanValue(QStringView property, const TVariant& value)
{
    if (value.Type() == TVariantType::Boolean)
        return value.ToBool();
    return EnumerationValue(property, BooleanNames(), value) == 1;
}

QString SetText(const QStringList& elementNames, unsigned bits)
{
    QStringList present;
    for (int i = 0; i < elementNames.size(); ++i) {
        if (bits & (1u << i))
            present.append(elementNames[i]);
    }
    return u'[' + present.join(u',') + u']';
}

unsigned SetValue(QStringView property, const QStringList& elementNames, const TVariant& value)
{
    QString text = ValueText(value).trimmed();
    if (text.startsWith(u'[') && text.endsWith(u']'))
        text = text.mid(1, text.size() - 2);
    unsigned bits = 0;
    for (const QString& part : text.split(u',', Qt::SkipEmptyParts)) {
        const int index = EnumerationValue(property, elementNames, TVariant(part.trimmed()));
        bits |= 1u << index;
    }
    return bits;
}

int IntegerValue(QStringView property, const TVariant& value)
{
    qint64 number = 0;
    try {
        number = value.ToInt();
    } catch (const EReportError&) {
        RaiseInvalidPropertyValue(property, ValueText(value));
    }
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        RaiseInvalidPropertyValue(property, ValueText(value));
    return int(number);
}
