#include "mathparser.h"

#include "mathtext.h"

#include <optional>

namespace {

using Kind = MathNode::Kind;

// Brackets and roots nested deeper than this are text: no school expression
// comes near it, and reading stays within the stack.
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

bool isOperandStart(QChar c)
{
    return c.isDigit() || c.isLetter() || c == u'(' || c == u'[' || c == u'√' || c == u'∛' || c == u'∜' || isVulgarFraction(c);
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

// A group's parentheses are not drawn around a numerator, a denominator or
// an exponent: the layout shows the grouping.
MathNode ungrouped(MathNode node)
{
    if (node.kind == Kind::Fence && node.text == QStringLiteral("()"))
        return std::move(node.children.front());
    return node;
}

class Reader {
public:
    Reader(const QString &text, qsizetype start, qsizetype end)
        : s(text), i(start), end(end)
    {
    }

    // Items up to closer (not read) or the end.
    MathNode row(QChar closer)
    {
        std::vector<MathNode> items;
        while (i < end && s[i] != closer) {
            MathNode item = term();
            // A whole number and a fraction of numbers after one blank are a
            // mixed number: the blank is not kept.
            if (item.kind == Kind::Fraction && items.size() >= 2 && items.back().kind == Kind::Text && items.back().text == QStringLiteral(" ")
                && isNumber(items[items.size() - 2]) && isNumber(item.children[0]) && isNumber(item.children[1]))
                items.pop_back();
            items.push_back(std::move(item));
        }
        return MathNode::make(Kind::Row, std::move(items));
    }

private:
    bool at(QChar c, qsizetype offset = 0) const { return i + offset < end && s[i + offset] == c; }
    bool operandAt(qsizetype offset) const { return i + offset < end && isOperandStart(s[i + offset]); }

    MathNode term()
    {
        MathNode left = powered();
        while (isOperand(left) && at(u'/') && operandAt(1)) {
            ++i;
            MathNode right = powered();
            left = MathNode::make(Kind::Fraction, {ungrouped(std::move(left)), ungrouped(std::move(right))});
        }
        return left;
    }

    MathNode powered()
    {
        MathNode base = primary();
        if (!isOperand(base))
            return base;
        for (;;) {
            if (at(u'^') && (operandAt(1) || (at(u'-', 1) && operandAt(2)))) {
                ++i;
                MathNode exponent;
                if (at(u'-')) {
                    MathNode sign = MathNode::makeText(QStringLiteral("-"), i++);
                    exponent = MathNode::make(Kind::Row, {std::move(sign), primary()});
                } else {
                    exponent = ungrouped(primary());
                }
                base = MathNode::make(Kind::Power, {std::move(base), std::move(exponent)});
            } else if (i < end && superscriptDigit(s[i]) >= 0) {
                const qsizetype from = i;
                QString digits;
                for (; i < end && superscriptDigit(s[i]) >= 0; ++i)
                    digits += QChar(u'0' + superscriptDigit(s[i]));
                base = MathNode::make(Kind::Power, {std::move(base), MathNode::makeText(digits, from)});
            } else {
                return base;
            }
        }
    }

    MathNode primary()
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
            if (word == QStringLiteral("sqrt") && at(u'(')) {
                if (std::optional<MathNode> radicand = group(u'(', u')'))
                    return MathNode::make(Kind::Root, {ungrouped(std::move(*radicand))});
            } else if (word == QStringLiteral("root") && at(u'(')) {
                const qsizetype back = i;
                std::optional<MathNode> index = group(u'(', u')');
                std::optional<MathNode> radicand = index && at(u'(') ? group(u'(', u')') : std::nullopt;
                if (radicand)
                    return MathNode::make(Kind::Root, {ungrouped(std::move(*radicand)), ungrouped(std::move(*index))});
                i = back;
            }
            return MathNode::makeText(word, from);
        }
        if ((c == u'√' || c == u'∛' || c == u'∜') && operandAt(1) && depth < kMaxDepth) {
            ++i;
            ++depth;
            MathNode radicand = ungrouped(primary());
            --depth;
            if (c == u'√')
                return MathNode::make(Kind::Root, {std::move(radicand)});
            return MathNode::make(Kind::Root, {std::move(radicand), MathNode::makeText(c == u'∛' ? QStringLiteral("3") : QStringLiteral("4"), from)});
        }
        if (c == u'(' || c == u'[') {
            if (std::optional<MathNode> fenced = group(c, c == u'(' ? u')' : u']'))
                return std::move(*fenced);
        }
        if (isVulgarFraction(c)) {
            ++i;
            const auto [numerator, denominator] = vulgarParts(c);
            if (!denominator.isEmpty())
                return MathNode::make(Kind::Fraction, {MathNode::makeText(numerator, from), MathNode::makeText(denominator, from)});
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

    // A bracketed group, or nothing (and nothing read) when it is not closed.
    std::optional<MathNode> group(QChar opener, QChar closer)
    {
        if (depth >= kMaxDepth)
            return std::nullopt;
        const qsizetype back = i;
        ++i;
        ++depth;
        MathNode content = row(closer);
        --depth;
        if (!at(closer)) {
            i = back;
            // The opener is text, and so is what follows it.
            return std::nullopt;
        }
        ++i;
        return MathNode::make(Kind::Fence, {std::move(content)}, QString(opener) + closer);
    }

    const QString &s;
    qsizetype i;
    const qsizetype end;
    int depth = 0;
};

} // namespace

MathNode MathParser::parse(const QString &text, qsizetype start, qsizetype length)
{
    Reader reader(text, start, start + length);
    return reader.row(QChar());
}

bool MathParser::hasNotation(const QString &text)
{
    for (const MathText::Expression &e : MathText::expressions(text)) {
        if (parse(text, e.start, e.length).hasNotation())
            return true;
    }
    return false;
}
