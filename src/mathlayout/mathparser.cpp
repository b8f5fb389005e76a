#include "mathparser.h"

#include "mathtext.h"

#include <utility>

namespace {

using Kind = MathNode::Kind;

// Brackets and roots nested deeper than this are text: no school expression
// comes near it, and what the deepest hold still has room to be stacked.
constexpr int kMaxDepth = 24;

bool isVulgarFraction(QChar c)
{
    return (c >= QChar(0x00BC) && c <= QChar(0x00BE)) || (c >= QChar(0x2150) && c <= QChar(0x215E));
}

// A vulgar fraction's numerator and denominator.
std::pair<QString, QString> vulgarParts(QChar c)
{
    const QString decomposed = c.decomposition(); // "1⁄2"
    const qsizetype slash = decomposed.indexOf(QChar(0x2044));
    if (slash < 0)
        return {QString(c), QString()};
    return {decomposed.left(slash), decomposed.mid(slash + 1)};
}

int superscriptDigit(QChar c)
{
    switch (c.unicode()) {
    case 0x2070: return 0;
    case 0x00B9: return 1;
    case 0x00B2: return 2;
    case 0x00B3: return 3;
    default: return c.unicode() >= 0x2074 && c.unicode() <= 0x2079 ? c.unicode() - 0x2070 : -1;
    }
}

bool isLatin(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// What may start an operand, besides a bracket that is closed.
bool isOperandStart(QChar c)
{
    return c.isDigit() || c.isLetter() || c == u'√' || c == u'∛' || c == u'∜' || isVulgarFraction(c);
}

bool isNumber(const MathNode &node)
{
    return node.kind == Kind::Text && !node.text.isEmpty() && node.text[0].isDigit();
}

// Whether a node can be a side of a fraction or the base of a power: not an
// operator, not a blank.
bool isOperand(const MathNode &node)
{
    if (node.kind != Kind::Text)
        return true;
    return !node.text.isEmpty() && (node.text[0].isDigit() || node.text[0].isLetter());
}

bool isGroup(const MathNode &node)
{
    return node.kind == Kind::Fence && node.text == QStringLiteral("()");
}

// A group's parentheses are not drawn around a numerator, a denominator or
// an exponent: the layout shows the grouping.
MathNode ungrouped(MathNode node)
{
    if (isGroup(node))
        return std::move(node.children.front());
    return node;
}

// A node of kind with children, moved in (a braced list would copy them).
template <typename... Children>
MathNode made(Kind kind, Children &&...children)
{
    std::vector<MathNode> list;
    list.reserve(sizeof...(children));
    (list.push_back(std::forward<Children>(children)), ...);
    return MathNode::make(kind, std::move(list));
}

} // namespace

// In one pass with a stack: each bracket is pushed and popped once.
std::vector<qsizetype> MathParser::bracketPartners(const QString &s, qsizetype start, qsizetype length)
{
    const qsizetype end = start + length;
    std::vector<qsizetype> partner(size_t(end - start), -1);
    std::vector<qsizetype> open;
    int openRound = 0, openSquare = 0;
    for (qsizetype k = start; k < end; ++k) {
        const QChar c = s[k];
        if (c == u'(' || c == u'[') {
            open.push_back(k);
            ++(c == u'(' ? openRound : openSquare);
        } else if ((c == u')' && openRound > 0) || (c == u']' && openSquare > 0)) {
            const QChar opener = c == u')' ? u'(' : u'[';
            for (;;) {
                const qsizetype o = open.back();
                open.pop_back();
                --(s[o] == u'(' ? openRound : openSquare);
                if (s[o] == opener) {
                    partner[size_t(o - start)] = k;
                    partner[size_t(k - start)] = o;
                    break;
                }
            }
        }
    }
    return partner;
}

namespace {

// Operands joined by one operator, read from the left: 1/2/3 is (1/2)/3 and
// 2^3^2 is (2^3)^2. Stacked when the stack fits the height left, else set in
// a line as typed.
class Chain {
public:
    // How an operand is joined: x/2, x^2, x^-2, x²
    enum class Sign { Slash, Caret, CaretMinus, Superscript };

    Chain(Kind kind, MathNode first)
        : m_kind(kind), m_first(std::move(first))
    {
    }
    // sign: the operator as typed (for a superscript, its digits as typed);
    // operand: what follows it, as read (for a superscript, its digits).
    void add(Sign how, MathNode sign, MathNode operand) { m_links.push_back({how, std::move(sign), std::move(operand)}); }

    // The chain stacked, when it is no taller than room; else in a line.
    MathNode done(int room) &&
    {
        if (m_links.empty())
            return std::move(m_first);
        int height = m_first.height;
        for (const Link &link : m_links)
            height = 1 + std::max(height, stackedHeight(link));
        if (height <= room) {
            MathNode node = m_kind == Kind::Fraction ? ungrouped(std::move(m_first)) : std::move(m_first);
            for (Link &link : m_links)
                node = made(m_kind, std::move(node), stacked(std::move(link)));
            return node;
        }
        std::vector<MathNode> items;
        items.reserve(2 * m_links.size() + 1);
        items.push_back(std::move(m_first));
        for (Link &link : m_links) {
            items.push_back(std::move(link.sign));
            if (link.how != Sign::Superscript)
                items.push_back(std::move(link.operand));
        }
        return MathNode::make(Kind::Row, std::move(items));
    }

private:
    struct Link {
        Sign how;
        MathNode sign;
        MathNode operand;
    };
    static int stackedHeight(const Link &link)
    {
        switch (link.how) {
        case Sign::CaretMinus: return link.operand.height + 1;
        case Sign::Superscript: return 1;
        default: return link.operand.height - (isGroup(link.operand) ? 1 : 0);
        }
    }
    static MathNode stacked(Link &&link)
    {
        if (link.how == Sign::CaretMinus)
            return made(Kind::Row, MathNode::makeText(QStringLiteral("-"), link.sign.source + 1), std::move(link.operand));
        return ungrouped(std::move(link.operand));
    }

    Kind m_kind;
    MathNode m_first;
    std::vector<Link> m_links;
};

// Reads an expression by recursive descent: a row of terms, a term a chain of
// powers joined by slashes, a power a chain of primaries joined by carets, a
// primary a number, a word, a root, a group or a character. Each reading
// function is given the level its node will stand at (the expression's row
// is level 0) and makes nothing that would reach below kMaxHeight; every
// call deeper is one level deeper, so the level also bounds the recursion.
class Reader {
public:
    Reader(const QString &text, qsizetype start, qsizetype end)
        : s(text), i(start), first(start), end(end), partner(MathParser::bracketPartners(text, start, end - start))
    {
    }

    MathNode expression() { return row(0); }

private:
    using Sign = Chain::Sign;

    // Whether a node of height fits at level.
    static bool fits(int level, int height) { return level + height <= MathParser::kMaxHeight; }
    bool at(QChar c, qsizetype offset = 0) const { return i + offset < end && s[i + offset] == c; }
    qsizetype partnerOf(qsizetype k) const { return k >= first && k < end ? partner[size_t(k - first)] : -1; }
    // Whether a bracket (of opener, when given) at k opens a group whose row
    // of content can stand at level.
    bool opensAt(qsizetype k, int level, QChar opener = QChar()) const
    {
        return k < end && (opener.isNull() ? s[k] == u'(' || s[k] == u'[' : s[k] == opener) && partnerOf(k) > k && depth < kMaxDepth
            && fits(level + 1, 1);
    }
    bool operandAt(qsizetype offset) const
    {
        return i + offset < end && (isOperandStart(s[i + offset]) || partnerOf(i + offset) > i + offset);
    }

    // Items up to end, as a row at level.
    MathNode row(int level)
    {
        std::vector<MathNode> items;
        while (i < end) {
            MathNode item = term(level + 1);
            // A whole number and a fraction of numbers after one blank are a
            // mixed number: the blank is not kept.
            if (item.kind == Kind::Fraction && items.size() >= 2 && items.back().kind == Kind::Text && items.back().text == QStringLiteral(" ")
                && isNumber(items[items.size() - 2]) && isNumber(item.children[0]) && isNumber(item.children[1]))
                items.pop_back();
            items.push_back(std::move(item));
        }
        return MathNode::make(Kind::Row, std::move(items));
    }

    MathNode term(int level)
    {
        MathNode left = powered(level);
        // Its operands stand a level deeper, stacked or in a line.
        if (!isOperand(left) || !fits(level + 1, left.height))
            return left;
        Chain chain(Kind::Fraction, std::move(left));
        while (at(u'/') && operandAt(1)) {
            MathNode slash = MathNode::makeText(QStringLiteral("/"), i++);
            chain.add(Sign::Slash, std::move(slash), powered(level + 1));
        }
        return std::move(chain).done(MathParser::kMaxHeight - level);
    }

    MathNode powered(int level)
    {
        MathNode base = primary(level);
        if (!isOperand(base) || !fits(level + 1, base.height))
            return base;
        Chain chain(Kind::Power, std::move(base));
        for (;;) {
            const qsizetype from = i;
            if (at(u'^') && operandAt(1)) {
                ++i;
                chain.add(Sign::Caret, MathNode::makeText(QStringLiteral("^"), from), primary(level + 1));
            } else if (at(u'^') && at(u'-', 1) && operandAt(2) && fits(level + 2, 1)) {
                // Stacked, the sign and the operand are a row.
                i += 2;
                chain.add(Sign::CaretMinus, MathNode::makeText(QStringLiteral("^-"), from), primary(level + 2));
            } else if (i < end && superscriptDigit(s[i]) >= 0) {
                QString digits;
                for (; i < end && superscriptDigit(s[i]) >= 0; ++i)
                    digits += QChar(u'0' + superscriptDigit(s[i]));
                chain.add(Sign::Superscript, MathNode::makeText(s.mid(from, i - from), from), MathNode::makeText(digits, from));
            } else {
                return std::move(chain).done(MathParser::kMaxHeight - level);
            }
        }
    }

    MathNode primary(int level)
    {
        const qsizetype from = i;
        const QChar c = s[i];
        if (c == u'\\' && i + 1 < end && QStringView(u"/^\\").contains(s[i + 1])) {
            i += 2;
            return MathNode::makeText(QString(s[from + 1]), from + 1);
        }
        if (c.isDigit()) {
            // Digits, and a point or comma between digits.
            while (i < end && (s[i].isDigit() || (QStringView(u".,٫").contains(s[i]) && i + 1 < end && s[i + 1].isDigit() && s[i - 1].isDigit())))
                ++i;
            return MathNode::makeText(s.mid(from, i - from), from);
        }
        if (c.isLetter()) {
            const bool latin = isLatin(c);
            while (i < end && s[i].isLetter() && isLatin(s[i]) == latin)
                ++i;
            const QString word = s.mid(from, i - from);
            if (word == QStringLiteral("sqrt") && opensAt(i, level + 1, u'('))
                return made(Kind::Root, content(level + 1));
            if (word == QStringLiteral("root") && opensAt(i, level + 1, u'(') && opensAt(partnerOf(i) + 1, level + 1, u'(')) {
                MathNode index = content(level + 1);
                return made(Kind::Root, content(level + 1), std::move(index));
            }
            return MathNode::makeText(word, from);
        }
        if ((c == u'√' || c == u'∛' || c == u'∜') && operandAt(1) && depth < kMaxDepth && fits(level + 1, 1)) {
            ++i;
            ++depth;
            MathNode radicand = ungrouped(primary(level + 1));
            --depth;
            if (c == u'√')
                return made(Kind::Root, std::move(radicand));
            return made(Kind::Root, std::move(radicand), MathNode::makeText(c == u'∛' ? QStringLiteral("3") : QStringLiteral("4"), from));
        }
        if (opensAt(i, level + 1)) {
            const QString brackets = QString(c) + s[partnerOf(i)];
            std::vector<MathNode> inside;
            inside.push_back(content(level + 1));
            return MathNode::make(Kind::Fence, std::move(inside), brackets);
        }
        if (isVulgarFraction(c)) {
            ++i;
            const auto [numerator, denominator] = vulgarParts(c);
            if (!denominator.isEmpty() && fits(level + 1, 1))
                return made(Kind::Fraction, MathNode::makeText(numerator, from), MathNode::makeText(denominator, from));
            return MathNode::makeText(QString(c), from);
        }
        if (c == u' ') {
            while (at(u' '))
                ++i;
            return MathNode::makeText(QStringLiteral(" "), from);
        }
        ++i;
        return MathNode::makeText(QString(c), from);
    }

    // The content of the group whose opening bracket is at i, as a row at
    // level; i is left past its closing bracket.
    MathNode content(int level)
    {
        const qsizetype close = partnerOf(i);
        const qsizetype outer = std::exchange(end, close);
        ++i;
        ++depth;
        MathNode inside = row(level);
        --depth;
        end = outer;
        Q_ASSERT(i == close);
        i = close + 1;
        return inside;
    }

    const QString &s;
    qsizetype i;
    const qsizetype first;
    // The end of the row being read: the text's, or a group's closing bracket.
    qsizetype end;
    // Found before reading, so that reading never looks ahead for a
    // closing bracket nor reads a group twice.
    const std::vector<qsizetype> partner;
    // Groups and roots open around i.
    int depth = 0;
};

} // namespace

MathNode MathParser::parse(const QString &text, qsizetype start, qsizetype length)
{
    Reader reader(text, start, start + length);
    return reader.expression();
}

bool MathParser::hasNotation(const QString &text)
{
    for (const MathText::Expression &e : MathText::expressions(text)) {
        if (parse(text, e.start, e.length).hasNotation())
            return true;
    }
    return false;
}
