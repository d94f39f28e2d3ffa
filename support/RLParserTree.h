#pragma once

#include "support/RLParserNode.h"
#include "support/RLParserTokens.h"

#include <functional>
#include <memory>

/// Builds the parse tree of one expression: one level at a time, a level per bracket or block.
/// Operators of equal priority nest to the right (10 - 4 - 3 is 10 - (4 - 3)).
class TRLParserTreeBuilder {
public:
    /// Called for every token of the kinds tkUnknown to tkOperator; may change its text and kind.
    using TokenHook = std::function<void(QString& token, TRLParserTokenKind& kind)>;

    TRLParserTreeBuilder(QStringView text, TokenHook hook);
    /// The tree, or none for a text without operands. Text after a top-level ")", ",", ";" or "}" is
    /// ignored. Throws EReportError with the position of a malformed part.
    std::unique_ptr<TRLParserNode> Build();

private:
    struct Level {
        std::unique_ptr<TRLParserNode> root;
        TRLParserNode* current = nullptr;
    };
    struct LevelResult {
        std::unique_ptr<TRLParserNode> root;
        TRLParserToken end;
    };

    TRLParserToken NextToken();
    LevelResult ParseLevel(int depth, int openPosition);
    void AddToTree(Level& level, std::unique_ptr<TRLParserNode> node);
    void AddOperand(Level& level, std::unique_ptr<TRLParserNode> node);
    void AddOperator(Level& level, const QString& text);
    void ParseBrackets(Level& level, int depth, int openPosition);
    void ParseBlock(Level& level, int depth, int openPosition);

    TRLParserTokenizer m_tokenizer;
    TokenHook m_hook;
};
