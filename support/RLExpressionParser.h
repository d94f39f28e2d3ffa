#pragma once

#include "platform/Component.h"
#include "support/RLParserTokens.h"
#include "support/RLPublishedProperties.h"
#include "support/Variant.h"

#include <QFlags>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

class TRLExpressionParser;
class TRLParserNode;

enum TRLParserOption : quint8 { poScanComponents = 0x1 };
Q_DECLARE_FLAGS(TRLParserOptions, TRLParserOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TRLParserOptions)

/// `params` is an array of the evaluated arguments, or empty without an argument list.
using TRLParserOnIdentifierEvent = std::function<void(
    TRLExpressionParser* sender, const QString& identifier, const TVariant& params, TVariant& result)>;
using TRLParserOnTokenEvent
    = std::function<void(TRLExpressionParser* sender, QString& token, TRLParserTokenKind& kind)>;
/// After the handler returns the failure counts as handled and `result` is the evaluation's value.
using TRLParserOnException
    = std::function<void(TRLExpressionParser* sender, const std::exception& e, TVariant& result)>;

/// @cond ENGINE
/// The slots a report fills to resolve names against its controls and the form's components.
struct TRLParserResolvers {
    /// A name (with its arguments) as a data field of the control being printed; empty when none.
    std::function<TVariant(const QString& name, const TVariant& params)> Identifier;
    std::function<void(QString& token, TRLParserTokenKind& kind)> Token;
    /// The member of `object` named `name`; invalid when there is none.
    std::function<TRLPathObject(const TRLPathObject& object, const QString& name)> FindMember;
    /// True when it took the value.
    std::function<bool(const TRLPathObject& object, const QString& property, const TVariant& value)>
        SetMemberValue;
    /// Empty when it has no value for the member.
    std::function<TVariant(const TRLPathObject& object, const QString& property)> GetMemberValue;
};
/// @endcond

/// A parser variable: set by an assignment, kept until the parser is cleared.
struct TRLParserValue {
    /// As first assigned; looked up without regard to case.
    QString Name;
    /// The last value assigned.
    TVariant Value;
};

/// Parses and evaluates report formulas: numbers, strings, identifiers with argument lists,
/// arithmetic, comparisons, logic, assignments to variables, if(), and blocks. A report evaluates
/// its DataFormula and KeyFormula texts through the parser bound to it
/// (SetReportExpressionParser). An identifier is resolved, first match wins, by OnIdentifier, a
/// variable, a built-in function, the printing control's data fields, a component path (with
/// poScanComponents), then OnUnknown; when none does, the evaluation fails.
class TRLExpressionParser : public TComponent {
public:
    /// The owner is where component paths start.
    explicit TRLExpressionParser(TComponent* owner);
    ~TRLExpressionParser() override;
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// Stored only: Evaluate parses the text it is given.
    ///@{
    const QString& Expression() const { return m_expression; }
    void SetExpression(const QString& expression) { m_expression = expression; }
    ///@}
    /// poScanComponents (the default): identifiers and assignments may name component paths
    /// ("DSOrdem.CODIGO") under the owner.
    TRLParserOptions Options = poScanComponents;

    /// Parses `text` afresh and evaluates it; empty for a text without operands. Parse errors
    /// always throw EReportError; evaluation failures go to OnException when it is assigned.
    TVariant Evaluate(const QString& text);
    /// Forgets every variable.
    void Clear();
    /// The variables, in the order they were first assigned.
    const std::vector<TRLParserValue>& Values() const { return m_values; }
    /// The variable of that name (case-insensitive), or none.
    const TRLParserValue* FindValue(QStringView name) const;

    /// @cond ENGINE
    const TRLParserResolvers& Resolvers() const { return m_resolvers; }
    void SetResolvers(TRLParserResolvers resolvers) { m_resolvers = std::move(resolvers); }
    void ClearResolvers() { m_resolvers = {}; }
    /// @endcond

    /// The component path named `name` ("DSOrdem.CODIGO"): its value, empty when it does not resolve.
    TVariant ReadComponentPath(const QString& name);
    /// Offers `value` to the path's property; false when nothing took it.
    bool WriteComponentPath(const QString& name, const TVariant& value);

    /// Asked first for every identifier; a non-empty `result` is its value.
    TRLParserOnIdentifierEvent OnIdentifier;
    /// Asked last, when nothing else resolved the identifier; an empty `result` is an error.
    TRLParserOnIdentifierEvent OnUnknown;
    /// May rewrite each token and its kind as the text is scanned.
    TRLParserOnTokenEvent OnToken;
    /// Takes an evaluation failure instead of letting it throw.
    TRLParserOnException OnException;

private:
    struct PathTarget {
        TRLPathObject object;
        QString property;
        bool resolved = false;
    };

    TVariant EvaluateNode(const TRLParserNode& node);
    TVariant EvaluateIdentifier(const TRLParserNode& node);
    TVariant EvaluateAssignment(const TRLParserNode& node);
    TVariant EvaluateBlock(const TRLParserNode& node);
    TVariant ResolveIdentifier(const QString& name, const TVariant& params);
    void SetValue(const QString& name, const TVariant& value);
    PathTarget ResolvePath(const QString& name);
    TRLPathObject FindMember(const TRLPathObject& object, const QString& name);
    void ApplyTokenHooks(QString& token, TRLParserTokenKind& kind);
    void RaiseIdentifier(const TRLParserOnIdentifierEvent& event, const QString& identifier,
        const TVariant& params, TVariant& result);

    QString m_expression;
    std::vector<TRLParserValue> m_values;
    TRLParserResolvers m_resolvers;
};
