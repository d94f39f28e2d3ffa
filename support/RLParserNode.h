#pragma once

#include "support/Variant.h"

#include <QStringView>
#include <memory>
#include <vector>

/// What a parse-tree node stands for; the numbers are the node kinds of the parser's table.
enum class TRLNodeKind : quint8 {
    Unrecognised = 0,
    Identifier = 1,
    Number = 2,
    String = 3,
    Add = 4,
    Subtract = 5,
    Multiply = 6,
    Divide = 7,
    Power = 8,
    Root = 9,
    UnaryPlus = 10,
    Negate = 11,
    Not = 12,
    Greater = 13,
    Less = 14,
    Equal = 15,
    NotEqual = 16,
    GreaterEqual = 17,
    LessEqual = 18,
    Or = 19,
    And = 20,
    Assign = 21,
    Block = 22
};

/// Operands, identifiers and blocks; a level's root is raised to it too. Higher binds tighter.
constexpr quint8 kOperandPriority = 255;

/// The binding priority of a node kind.
quint8 PriorityOf(TRLNodeKind kind);
/// Operators, blocks and unrecognised operator texts: after one of them (unless it is closed) a
/// "+", "-" or "!" is unary.
bool IsOperatorLike(TRLNodeKind kind);
/// The node kind of an operator text: unary for "+", "-", "!" when `unary`, else binary;
/// Unrecognised for any text the table lacks ("!" with two operands among them).
TRLNodeKind OperatorKind(QStringView text, bool unary);

class TRLParserNode {
public:
    TRLParserNode(TRLNodeKind kind, TVariant value = {});
    /// Frees the subtree without recursion, so that a degenerate deep tree cannot exhaust the stack.
    ~TRLParserNode();
    TRLParserNode(const TRLParserNode&) = delete;
    TRLParserNode& operator=(const TRLParserNode&) = delete;

    TRLParserNode* Parent() const { return m_parent; }
    int ChildCount() const { return int(m_children.size()); }
    /// Throws the list-index error when the child is missing (an operator without its operand).
    TRLParserNode& Child(int index) const;
    void AddChild(std::unique_ptr<TRLParserNode> child);
    /// Puts `replacement` where `child` was and hands `child` back.
    std::unique_ptr<TRLParserNode> ReplaceChild(
        TRLParserNode* child, std::unique_ptr<TRLParserNode> replacement);

    TRLNodeKind Kind;
    quint8 Priority;
    bool Closed = false;
    /// The name, number or text of an operand.
    TVariant Value;

private:
    TRLParserNode* m_parent = nullptr;
    std::vector<std::unique_ptr<TRLParserNode>> m_children;
};

/// Nodes on the longest path from `root` down, counted without recursion.
int TreeDepth(const TRLParserNode& root);
