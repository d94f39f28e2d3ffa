#include "support/RLParserTree.h"

#include "support/RLParserErrors.h"

namespace {

// Each bracket or block level is a recursive call; each tree level a recursive evaluation step.
// Both limits lie far beyond any report formula and far below what exhausts a thread's stack.
constexpr int kMaxNesting = 128;
constexpr int kMaxTreeDepth = 512;

bool IsUnaryText(QStringView text)
{
    return text == u"!" || text == u"+" || text == u"-";
}

} // namespace

TRLParserTreeBuilder::TRLParserTreeBuilder(QStringView text, TokenHook hook)
    : m_tokenizer(text)
    , m_hook(std::move(hook))
{
}

std::unique_ptr<TRLParserNode> TRLParserTreeBuilder::Build()
{
    LevelResult top = ParseLevel(0, 1);
    if (top.root && TreeDepth(*top.root) > kMaxTreeDepth)
        RaiseNestedTooDeeply(top.end.Position);
    return std::move(top.root);
}

TRLParserToken TRLParserTreeBuilder::NextToken()
{
    TRLParserToken token = m_tokenizer.Next();
    if (token.Kind >= tkUnknown && token.Kind <= tkOperator && m_hook)
        m_hook(token.Text, token.Kind);
    return token;
}

TRLParserTreeBuilder::LevelResult TRLParserTreeBuilder::ParseLevel(int depth, int openPosition)
{
    if (depth > kMaxNesting)
        RaiseNestedTooDeeply(openPosition);
    Level level;
    for (;;) {
        TRLParserToken token = NextToken();
        switch (token.Kind) {
        case tkIdentifier:
            AddOperand(level, std::make_unique<TRLParserNode>(TRLNodeKind::Identifier, TVariant(token.Text)));
            break;
        case tkValue:
            AddOperand(level,
                std::make_unique<TRLParserNode>(
                    TRLNodeKind::Number, TVariant(NumberTokenValue(token.Text, token.Position))));
            break;
        case tkLiteral:
            AddOperand(level, std::make_unique<TRLParserNode>(TRLNodeKind::String, TVariant(token.Text)));
            break;
        case tkUnknown:
            break;
        case tkOperator:
            AddOperator(level, token.Text);
            break;
        case tkEnterBrackets:
            ParseBrackets(level, depth + 1, token.Position);
            break;
        case tkCodeEnter:
            ParseBlock(level, depth + 1, token.Position);
            break;
        case tkNull:
        case tkExitBrackets:
        case tkBracketsBreak:
        case tkCodeBreak:
        case tkCodeExit:
            // A closed root is an operand to the level above, whatever operator it holds.
            if (level.root) {
                level.root->Priority = kOperandPriority;
                level.root->Closed = true;
            }
            return { std::move(level.root), std::move(token) };
        }
    }
}

void TRLParserTreeBuilder::AddToTree(Level& level, std::unique_ptr<TRLParserNode> node)
{
    if (level.current)
        level.current->AddChild(std::move(node));
    else if (level.root)
        level.root->AddChild(std::move(node));
    else
        level.root = std::move(node);
}

void TRLParserTreeBuilder::AddOperand(Level& level, std::unique_ptr<TRLParserNode> node)
{
    TRLParserNode* added = node.get();
    AddToTree(level, std::move(node));
    level.current = added;
}

void TRLParserTreeBuilder::AddOperator(Level& level, const QString& text)
{
    TRLParserNode* current = level.current;
    const bool unary = IsUnaryText(text) && (!current || (IsOperatorLike(current->Kind) && !current->Closed));
    auto node = std::make_unique<TRLParserNode>(OperatorKind(text, unary));
    TRLParserNode* added = node.get();
    if (!current) {
        AddToTree(level, std::move(node));
        level.current = added;
        return;
    }
    level.current = added;
    // Climb over the nodes that bind tighter; an equal priority stops the climb, so a chain of
    // the same operator nests to the right.
    TRLParserNode* reached = current;
    TRLParserNode* passed = nullptr;
    while (reached->Priority > added->Priority && reached->Parent()) {
        passed = reached;
        reached = reached->Parent();
    }
    if (reached->Priority > added->Priority) {
        node->AddChild(std::move(level.root));
        level.root = std::move(node);
    } else if (passed) {
        added->AddChild(reached->ReplaceChild(passed, std::move(node)));
    } else {
        current->AddChild(std::move(node));
    }
}

void TRLParserTreeBuilder::ParseBrackets(Level& level, int depth, int openPosition)
{
    const bool arguments = level.current && level.current->Kind == TRLNodeKind::Identifier;
    TRLParserNode* last = nullptr;
    for (;;) {
        LevelResult sub = ParseLevel(depth, openPosition);
        if (sub.root) {
            last = sub.root.get();
            AddToTree(level, std::move(sub.root));
        }
        if (sub.end.Kind == tkExitBrackets)
            break;
        if (sub.end.Kind != tkBracketsBreak)
            RaiseBracketsExpected(sub.end.Position);
        if (!arguments)
            RaiseParameterListNotSupported(sub.end.Position);
    }
    if (!arguments && last)
        level.current = last;
}

void TRLParserTreeBuilder::ParseBlock(Level& level, int depth, int openPosition)
{
    const bool argument = level.current && level.current->Kind == TRLNodeKind::Identifier;
    auto block = std::make_unique<TRLParserNode>(TRLNodeKind::Block);
    TRLParserNode* added = block.get();
    AddToTree(level, std::move(block));
    if (!argument)
        level.current = added;
    for (;;) {
        LevelResult sub = ParseLevel(depth, openPosition);
        if (sub.root)
            added->AddChild(std::move(sub.root));
        if (sub.end.Kind == tkCodeExit)
            break;
        if (sub.end.Kind != tkCodeBreak)
            RaiseInlineExpected(sub.end.Position);
    }
    // A finished block is an operand: "{2} - 3" subtracts instead of negating the block.
    added->Closed = true;
}
