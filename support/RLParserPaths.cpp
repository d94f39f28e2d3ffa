#include "support/RLExpressionParser.h"

// Component paths: "RLReport1.Title", "DSOrdem.CODIGO", "RLLabel1.Font.Size".

TVariant TRLExpressionParser::ReadComponentPath(const QString& name)
{
    const PathTarget target = ResolvePath(name);
    if (!target.resolved)
        return {};
    if (m_resolvers.GetMemberValue) {
        TVariant value = m_resolvers.GetMemberValue(target.object, target.property);
        if (!value.IsEmpty())
            return value;
    }
    if (!target.property.isEmpty())
        return ReadPublishedProperty(target.object, target.property);
    if (!target.object.IsValid())
        return TVariant(QStringLiteral("nil"));
    return TVariant(u'[' + target.object.ClassName() + u']');
}

bool TRLExpressionParser::WriteComponentPath(const QString& name, const TVariant& value)
{
    const PathTarget target = ResolvePath(name);
    if (!target.resolved || target.property.isEmpty())
        return false;
    if (WritePublishedProperty(target.object, target.property, value))
        return true;
    return m_resolvers.SetMemberValue && m_resolvers.SetMemberValue(target.object, target.property, value);
}

TRLExpressionParser::PathTarget TRLExpressionParser::ResolvePath(const QString& name)
{
    if (!Owner())
        return {};
    const QStringList parts = name.split(u'.');
    TRLPathObject object { Owner(), false };
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const bool last = i == parts.size() - 1;
        const TRLPathObject member = FindMember(object, parts[i]);
        if (member.IsValid()) {
            if (last)
                return { member, QString(), true };
            object = member;
        } else if (last) {
            return { object, parts[i], true };
        } else {
            return {};
        }
    }
    return {};
}

TRLPathObject TRLExpressionParser::FindMember(const TRLPathObject& object, const QString& name)
{
    if (name.isEmpty())
        return {};
    if (m_resolvers.FindMember) {
        const TRLPathObject member = m_resolvers.FindMember(object, name);
        if (member.IsValid())
            return member;
    }
    if (object.IsComponent()) {
        if (name.compare(object.Component->Name(), Qt::CaseInsensitive) == 0)
            return object;
        if (TComponent* owned = object.Component->FindComponent(name))
            return { owned, false };
    }
    return PublishedObject(object, name);
}
