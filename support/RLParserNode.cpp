#include "support/RLParserNode.h"

#include "support/RLParserErrors.h"

#include <algorithm>
#include <utility>

namespace {

struct OperatorEntry {
    QStringView text;
    TRLNodeKind binary;
    TRLNodeKind unary;
};

constexpr OperatorEntry kOperators[] = {
    { u"+", TRLNodeKind::Add, TRLNodeKind::UnaryPlus },
    { u"-", TRLNodeKind::Subtract, TRLNodeKind::Negate },
    { u"!", TRLNodeKind::Unrecognised, TRLNodeKind::Not },
    { u"*", TRLNodeKind::Multiply, TRLNodeKind::Unrecognised },
    { u"/", TRLNodeKind::Divide, TRLNodeKind::Unrecognised },
    { u"^", TRLNodeKind::Power, TRLNodeKind::Unrecognised },
    { u"\\", TRLNodeKind::Root, TRLNodeKind::Unrecognised },
    { u">", TRLNodeKind::Greater, TRLNodeKind::Unrecognised },
    { u"<", TRLNodeKind::Less, TRLNodeKind::Unrecognised },
    { u"=", TRLNodeKind::Equal, TRLNodeKind::Unrecognised },
    { u"#", TRLNodeKind::NotEqual, TRLNodeKind::Unrecognised },
    { u"<>", TRLNodeKind::NotEqual, TRLNodeKind::Unrecognised },
    { u">=", TRLNodeKind::GreaterEqual, TRLNodeKind::Unrecognised },
    { u"<=", TRLNodeKind::LessEqual, TRLNodeKind::Unrecognised },
    { u"|", TRLNodeKind::Or, TRLNodeKind::Unrecognised },
    { u"&", TRLNodeKind::And, TRLNodeKind::Unrecognised },
    { u":=", TRLNodeKind::Assign, TRLNodeKind::Unrecognised },
};

} // namespace

quint8 PriorityOf(TRLNodeKind kind)
{
    switch (kind) {
    case TRLNodeKind::Assign:
        return 0;
    case TRLNodeKind::Equal:
        return 1;
    case TRLNodeKind::NotEqual:
        return 2;
    case TRLNodeKind::Greater:
        return 3;
    case TRLNodeKind::Less:
        return 4;
    case TRLNodeKind::GreaterEqual:
        return 5;
    case TRLNodeKind::LessEqual:
        return 6;
    case TRLNodeKind::Or:
        return 7;
    case TRLNodeKind::And:
        return 8;
    case TRLNodeKind::Add:
        return 9;
    case TRLNodeKind::Subtract:
        return 10;
    case TRLNodeKind::Multiply:
        return 11;
    case TRLNodeKind::Divide:
        return 12;
    case TRLNodeKind::Power:
        return 13;
    case TRLNodeKind::Root:
        return 14;
    case TRLNodeKind::UnaryPlus:
        return 15;
    case TRLNodeKind::Negate:
        return 16;
    case TRLNodeKind::Not:
        return 17;
    case TRLNodeKind::Unrecognised:
    case TRLNodeKind::Identifier:
    case TRLNodeKind::Number:
    case TRLNodeKind::String:
    case TRLNodeKind::Block:
        break;
    }
    return kOperandPriority;
}

bool IsOperatorLike(TRLNodeKind kind)
{
    return kind == TRLNodeKind::Unrecognised || quint8(kind) > quint8(TRLNodeKind::String);
}

TRLNodeKind OperatorKind(QStringView text, bool unary)
{
    for (const OperatorEntry& entry : kOperators) {
        if (entry.text == text)
            return unary ? entry.unary : entry.binary;
    }
    return TRLNodeKind::Unrecognised;
}

TRLParserNode::TRLParserNode(TRLNodeKind kind, TVariant value)
    : Kind(kind)
    , Priority(PriorityOf(kind))
    , Value(std::move(value))
{
}

TRLParserNode::~TRLParserNode()
{
    std::vector<std::unique_ptr<TRLParserNode>> pending = std::move(m_children);
    while (!pending.empty()) {
        std::unique_ptr<TRLParserNode> node = std::move(pending.back());
        pending.pop_back();
        for (std::unique_ptr<TRLParserNode>& child : node->m_children)
            pending.push_back(std::move(child));
        node->m_children.clear();
    }
}

TRLParserNode& TRLParserNode::Child(int index) const
{
    if (index < 0 || index >= ChildCount())
        RaiseListIndexOutOfBounds(index);
    return *m_children[size_t(index)];
}

void TRLParserNode::AddChild(std::unique_ptr<TRLParserNode> child)
{
    child->m_parent = this;
    m_children.push_back(std::move(child));
}

std::unique_ptr<TRLParserNode> TRLParserNode::ReplaceChild(
    TRLParserNode* child, std::unique_ptr<TRLParserNode> replacement)
{
    auto it = std::find_if(m_children.begin(), m_children.end(),
        [child](const std::unique_ptr<TRLParserNode>& node) { return node.get() == child; });
    replacement->m_parent = this;
    std::swap(*it, replacement);
    replacement->m_parent = nullptr;
    return replacement;
}

int TreeDepth(const TRLParserNode& root)
{
    struct Pending {
        const TRLParserNode* node;
        int depth;
    };
    std::vector<Pending> pending { { &root, 1 } };
    int deepest = 0;
    while (!pending.empty()) {
        const Pending item = pending.back();
        pending.pop_back();
        deepest = std::max(deepest, item.depth);
        for (int i = 0; i < item.node->ChildCount(); ++i)
            pending.push_back({ &item.node->Child(i), item.depth + 1 });
    }
    return deepest;
}
