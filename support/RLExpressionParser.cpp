#include "support/RLExpressionParser.h"

#include "support/RLParserErrors.h"
#include "support/RLParserNode.h"
#include "support/RLParserTree.h"

#include <cmath>

namespace {

// A formula that doubles a text in every step would otherwise allocate without bound.
constexpr qsizetype kMaxTextLength = qsizetype(1) << 20;

constexpr double kPi = 3.1415926535897932385;

bool IsName(const QString& name, QStringView word)
{
    return name.compare(word, Qt::CaseInsensitive) == 0;
}

/// The built-in names; empty for any other name, and for minor and major without arguments.
TVariant BuiltIn(const QString& name, const TVariant& params)
{
    if (IsName(name, u"pi"))
        return TVariant(kPi);
    if (IsName(name, u"true"))
        return TVariant(true);
    if (IsName(name, u"false"))
        return TVariant(false);
    if (IsName(name, u"null"))
        return TVariant::Null();
    const bool minor = IsName(name, u"minor");
    if ((minor || IsName(name, u"major")) && params.IsArray() && !params.Elements().empty()) {
        TVariant running = params.Elements().front();
        for (const TVariant& argument : params.Elements()) {
            const int order = Compare(argument, running);
            if (minor ? order < 0 : order > 0)
                running = argument;
        }
        return running;
    }
    return {};
}

TVariant CheckedLength(TVariant value)
{
    if (value.Type() == TVariantType::String && value.ToString().size() > kMaxTextLength)
        RaiseTextTooLong(value.ToString().size(), kMaxTextLength);
    return value;
}

} // namespace

TRLExpressionParser::TRLExpressionParser(TComponent* owner)
    : TComponent(owner)
{
}

TRLExpressionParser::~TRLExpressionParser()
{
    Clear();
}

QString TRLExpressionParser::ClassName() const
{
    return QStringLiteral("TRLExpressionParser");
}

TVariant TRLExpressionParser::Evaluate(const QString& text)
{
    TRLParserTreeBuilder builder(
        text, [this](QString& token, TRLParserTokenKind& kind) { ApplyTokenHooks(token, kind); });
    const std::unique_ptr<TRLParserNode> root = builder.Build();
    if (!root)
        return {};
    try {
        return EvaluateNode(*root);
    } catch (const std::exception& e) {
        if (!OnException)
            throw;
        TVariant result;
        OnException(this, e, result);
        return result;
    }
}

void TRLExpressionParser::Clear()
{
    m_values.clear();
}

const TRLParserValue* TRLExpressionParser::FindValue(QStringView name) const
{
    for (const TRLParserValue& value : m_values) {
        if (name.compare(value.Name, Qt::CaseInsensitive) == 0)
            return &value;
    }
    return nullptr;
}

void TRLExpressionParser::SetValue(const QString& name, const TVariant& value)
{
    std::erase_if(m_values, [&name](const TRLParserValue& v) { return IsName(v.Name, name); });
    m_values.push_back({ name, value });
}

TVariant TRLExpressionParser::EvaluateNode(const TRLParserNode& node)
{
    switch (node.Kind) {
    case TRLNodeKind::Unrecognised:
        return {};
    case TRLNodeKind::Identifier:
        return EvaluateIdentifier(node);
    case TRLNodeKind::Number:
    case TRLNodeKind::String:
        return node.Value;
    case TRLNodeKind::Add: {
        const TVariant a = EvaluateNode(node.Child(0));
        return CheckedLength(a + EvaluateNode(node.Child(1)));
    }
    case TRLNodeKind::Subtract: {
        const TVariant a = EvaluateNode(node.Child(0));
        return a - EvaluateNode(node.Child(1));
    }
    case TRLNodeKind::Multiply: {
        const TVariant a = EvaluateNode(node.Child(0));
        return a * EvaluateNode(node.Child(1));
    }
    case TRLNodeKind::Divide: {
        const TVariant a = EvaluateNode(node.Child(0));
        return a / EvaluateNode(node.Child(1));
    }
    case TRLNodeKind::Power: {
        const double base = EvaluateNode(node.Child(0)).ToDouble();
        return TVariant(std::pow(base, EvaluateNode(node.Child(1)).ToDouble()));
    }
    case TRLNodeKind::Root: {
        const double radicand = EvaluateNode(node.Child(0)).ToDouble();
        const TVariant exponent = TVariant(1.0) / EvaluateNode(node.Child(1));
        return TVariant(std::pow(radicand, exponent.ToDouble()));
    }
    case TRLNodeKind::UnaryPlus:
        return EvaluateNode(node.Child(0));
    case TRLNodeKind::Negate:
        return -EvaluateNode(node.Child(0));
    case TRLNodeKind::Not:
        return Not(EvaluateNode(node.Child(0)));
    case TRLNodeKind::Greater:
    case TRLNodeKind::Less:
    case TRLNodeKind::Equal:
    case TRLNodeKind::NotEqual:
    case TRLNodeKind::GreaterEqual:
    case TRLNodeKind::LessEqual: {
        const TVariant a = EvaluateNode(node.Child(0));
        const int order = Compare(a, EvaluateNode(node.Child(1)));
        switch (node.Kind) {
        case TRLNodeKind::Greater:
            return TVariant(order > 0);
        case TRLNodeKind::Less:
            return TVariant(order < 0);
        case TRLNodeKind::Equal:
            return TVariant(order == 0);
        case TRLNodeKind::NotEqual:
            return TVariant(order != 0);
        case TRLNodeKind::GreaterEqual:
            return TVariant(order >= 0);
        default:
            return TVariant(order <= 0);
        }
    }
    case TRLNodeKind::Or: {
        const TVariant a = EvaluateNode(node.Child(0));
        return Or(a, EvaluateNode(node.Child(1)));
    }
    case TRLNodeKind::And: {
        const TVariant a = EvaluateNode(node.Child(0));
        return And(a, EvaluateNode(node.Child(1)));
    }
    case TRLNodeKind::Assign:
        return EvaluateAssignment(node);
    case TRLNodeKind::Block:
        return EvaluateBlock(node);
    }
    return {};
}

TVariant TRLExpressionParser::EvaluateIdentifier(const TRLParserNode& node)
{
    const QString name = node.Value.ToString();
    if (IsName(name, u"if")) {
        if (node.ChildCount() != 3)
            RaiseWrongNumberOfArguments();
        const bool condition = EvaluateNode(node.Child(0)).ToBool();
        return EvaluateNode(node.Child(condition ? 1 : 2));
    }
    TVariant params;
    if (node.ChildCount() > 0) {
        std::vector<TVariant> arguments;
        arguments.reserve(size_t(node.ChildCount()));
        for (int i = 0; i < node.ChildCount(); ++i)
            arguments.push_back(EvaluateNode(node.Child(i)));
        params = TVariant::Array(std::move(arguments));
    }
    return ResolveIdentifier(name, params);
}

TVariant TRLExpressionParser::EvaluateAssignment(const TRLParserNode& node)
{
    const TRLParserNode& target = node.Child(0);
    if (target.Kind != TRLNodeKind::Identifier)
        RaiseLeftSideCannotBeAssigned();
    const TVariant value = EvaluateNode(node.Child(1));
    const QString name = target.Value.ToString();
    if ((Options & poScanComponents) && WriteComponentPath(name, value))
        return value;
    SetValue(name, value);
    return value;
}

TVariant TRLExpressionParser::EvaluateBlock(const TRLParserNode& node)
{
    TVariant result;
    for (int i = 0; i < node.ChildCount(); ++i)
        result = EvaluateNode(node.Child(i));
    return result;
}

TVariant TRLExpressionParser::ResolveIdentifier(const QString& name, const TVariant& params)
{
    TVariant result;
    RaiseIdentifier(OnIdentifier, name, params, result);
    if (!result.IsEmpty())
        return result;
    if (const TRLParserValue* variable = FindValue(name); variable && !variable->Value.IsEmpty())
        return variable->Value;
    result = BuiltIn(name, params);
    if (!result.IsEmpty())
        return result;
    if (m_resolvers.Identifier) {
        result = m_resolvers.Identifier(name, params);
        if (!result.IsEmpty())
            return result;
    }
    if (Options & poScanComponents) {
        result = ReadComponentPath(name);
        if (!result.IsEmpty())
            return result;
    }
    RaiseIdentifier(OnUnknown, name, params, result);
    if (!result.IsEmpty())
        return result;
    RaiseUndefinedIdentifier(name);
}

void TRLExpressionParser::RaiseIdentifier(const TRLParserOnIdentifierEvent& event, const QString& identifier,
    const TVariant& params, TVariant& result)
{
    if (event)
        event(this, identifier, params, result);
}

void TRLExpressionParser::ApplyTokenHooks(QString& token, TRLParserTokenKind& kind)
{
    if (m_resolvers.Token)
        m_resolvers.Token(token, kind);
    if (OnToken)
        OnToken(this, token, kind);
}
