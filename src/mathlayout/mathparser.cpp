#include "mathparser.h"

#include "mathtext.h"

#include <algorithm>
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
    return c.isDigit() || c.isLetter() || c == u'√' || c == u'∛' || c == u'∜' || c == u'∞' || c == u'?' || c == u'؟' || isVulgarFraction(c);
}

// Operators and relations set with a blank on each side when they stand
// between two operands.
bool isSpacedOperator(const QString &text)
{
    return text.size() == 1 && QStringView(u"+-−×÷*=≠≈<>≤≥±∓·:∪∩∈∉⊂⊃⊆⊇→⇒⇔≡≅∼∥⊥").contains(text[0]);
}

// Whether a text ends an operand, so that an operator after it is binary.
bool endsOperand(const MathNode &node)
{
    if (node.kind != Kind::Text)
        return true;
    const QChar c = node.text.back();
    return c.isLetterOrNumber() || QStringView(u")]}|!°%٪'′?؟∞").contains(c) || QStringView(u"¹²³⁰⁴⁵⁶⁷⁸⁹").contains(c);
}

bool isBlank(const MathNode &node)
{
    return node.kind == Kind::Text && node.text == QStringLiteral(" ");
}

// How a word of letters is set: the names of functions upright (and the
// units and notation's own words as typed), other Latin words as variables.
MathNode::Role wordRole(const QString &word, bool latin)
{
    using namespace Qt::Literals::StringLiterals;
    static const QStringList functions = {u"sin"_s, u"cos"_s, u"tan"_s, u"cot"_s, u"sec"_s, u"csc"_s, u"log"_s, u"ln"_s, u"exp"_s, u"lim"_s, u"max"_s, u"min"_s, u"gcd"_s, u"lcm"_s,
                                          u"جا"_s, u"جتا"_s, u"ظا"_s, u"ظتا"_s, u"قا"_s, u"قتا"_s, u"لو"_s, u"لط"_s};
    static const QStringList asTyped = {u"cm"_s, u"mm"_s, u"km"_s, u"dm"_s, u"kg"_s, u"mg"_s, u"ml"_s, u"cl"_s, u"dl"_s, u"sqrt"_s, u"root"_s};
    if (functions.contains(word))
        return MathNode::Role::Function;
    if (!latin || asTyped.contains(word))
        return MathNode::Role::Plain;
    return MathNode::Role::Variable;
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
    return !node.text.isEmpty() && (node.text[0].isDigit() || node.text[0].isLetter() || node.text[0] == u'∞' || node.text[0] == u'?' || node.text[0] == u'؟');
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

namespace {

constexpr QStringView kOpeners = u"([{|";
constexpr QStringView kClosers = u")]}|";

// Whether a character ends an operand, so that a bar after it closes an
// absolute value ("|-7|", "|x|²") and one before anything else opens one.
bool endsOperand(QChar c)
{
    return c.isLetterOrNumber() || QStringView(u")]}!°%٪'′?؟∞π").contains(c) || (c >= QChar(0x2070) && c <= QChar(0x2079)) || c == QChar(0x00B2)
        || c == QChar(0x00B3) || c == QChar(0x00B9);
}

// Where the interval that opens at k ends ([2, 5), (-∞, 3], ]2, 5[, as
// typed: no bracket between its ends, a comma or semicolon), or -1. Only
// up to the next bracket is looked at, so each character is looked at at
// most twice in all.
qsizetype intervalEnd(const QString &s, qsizetype k, qsizetype end)
{
    bool separated = false;
    for (qsizetype j = k + 1; j < end; ++j) {
        const QChar c = s[j];
        if (QStringView(u",;،؛").contains(c))
            separated = true;
        if (!QStringView(u"()[]{}|").contains(c))
            continue;
        const bool interval = QStringView(u")][").contains(c) && !(s[k] == u'(' && c == u')') && !(s[k] == u'[' && c == u']');
        return interval && separated ? j : -1;
    }
    return -1;
}

} // namespace

// In one pass with a stack: each bracket is pushed and popped once.
std::vector<qsizetype> MathParser::bracketPartners(const QString &s, qsizetype start, qsizetype length, std::vector<qsizetype> *unmatched)
{
    const qsizetype end = start + length;
    std::vector<qsizetype> partner(size_t(end - start), -1);
    std::vector<qsizetype> open;
    int opened[4] = {0, 0, 0, 0};
    // Whether the last character that is not a blank ends an operand.
    bool afterOperand = false;
    for (qsizetype k = start; k < end; ++k) {
        const QChar c = s[k];
        if (c == u' ')
            continue;
        if (c == u'\\' && k + 1 < end && s[k + 1] == u'|') {
            ++k; // a bar as it is
            afterOperand = true;
            continue;
        }
        const qsizetype opener = kOpeners.indexOf(c), closer = kClosers.indexOf(c);
        const bool bar = c == u'|';
        if ((c == u'[' || c == u'(' || (c == u']' && opened[1] == 0))) {
            if (const qsizetype close = intervalEnd(s, k, end); close > k) {
                k = close; // an interval's brackets are its own
                afterOperand = true;
                continue;
            }
        }
        if (closer >= 0 && opened[closer] > 0 && (!bar || afterOperand)) {
            for (;;) {
                const qsizetype o = open.back();
                open.pop_back();
                --opened[kOpeners.indexOf(s[o])];
                if (s[o] == kOpeners[closer]) {
                    partner[size_t(o - start)] = k;
                    partner[size_t(k - start)] = o;
                    break;
                }
                if (unmatched)
                    unmatched->push_back(o);
            }
            afterOperand = true;
            continue;
        }
        const bool opens = bar ? !afterOperand : opener >= 0;
        if (opens) {
            open.push_back(k);
            ++opened[opener];
            afterOperand = false;
            continue;
        }
        // A closing bracket with nothing to close (a bar after an operand
        // with none open divides or reads "such that": not a bracket).
        if (unmatched && closer >= 0 && !bar)
            unmatched->push_back(k);
        afterOperand = endsOperand(c);
    }
    if (unmatched) {
        unmatched->insert(unmatched->end(), open.begin(), open.end());
        std::sort(unmatched->begin(), unmatched->end());
    }
    return partner;
}

namespace {

// Operands joined by one operator: 1/2/3 is (1/2)/3, read from the left,
// and 2^3^2 is 2^(3^2), from the right. Stacked when the stack fits the
// height left, else set in a line as typed.
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
        if (m_kind == Kind::Power) {
            // 2^3^2 is 2^(3^2): each exponent raised on the one before.
            height = stackedHeight(m_links.back());
            for (size_t k = m_links.size() - 1; k-- > 0;)
                height = 1 + std::max(stackedHeight(m_links[k]), height);
            height = 1 + std::max(m_first.height, height);
        }
        if (height <= room && m_kind == Kind::Power) {
            MathNode node = stacked(std::move(m_links.back()));
            for (size_t k = m_links.size() - 1; k-- > 0;)
                node = made(m_kind, stacked(std::move(m_links[k])), std::move(node));
            return made(m_kind, std::move(m_first), std::move(node));
        }
        if (height <= room) {
            MathNode node = ungrouped(std::move(m_first));
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
        return k < end && (opener.isNull() ? QStringView(u"([{|").contains(s[k]) : s[k] == opener) && partnerOf(k) > k && depth < kMaxDepth
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
        // An operator or relation between two operands is spaced.
        for (size_t k = 1; k + 1 < items.size(); ++k) {
            MathNode &item = items[k];
            if (item.kind != Kind::Text || !isSpacedOperator(item.text))
                continue;
            const MathNode &before = isBlank(items[k - 1]) && k >= 2 ? items[k - 2] : items[k - 1];
            if (!isBlank(before) && endsOperand(before))
                item.role = MathNode::Role::Operator;
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
        if (at(u'_') && operandAt(1)) {
            ++i;
            base = made(Kind::Subscript, std::move(base), ungrouped(primary(level + 1)));
            if (!fits(level + 1, base.height))
                return base;
        }
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
        if (c == u'\\' && i + 1 < end && QStringView(u"/^\\_|").contains(s[i + 1])) {
            i += 2;
            return MathNode::makeText(QString(s[from + 1]), from + 1);
        }
        if (c.isDigit()) {
            // Digits, and a point or comma between digits.
            bool decimal = false;
            while (i < end && (s[i].isDigit() || (QStringView(u".,٫").contains(s[i]) && i + 1 < end && s[i + 1].isDigit() && s[i - 1].isDigit()))) {
                decimal = decimal || !s[i].isDigit();
                ++i;
            }
            // Repeating digits in brackets after a decimal point, or after
            // the decimals: 0.(3), 0.1(6).
            qsizetype open = i;
            if (!decimal && open + 1 < end && QStringView(u".,٫").contains(s[open]) && s[open + 1] == u'(') {
                decimal = true;
                ++open;
            }
            const qsizetype close = open < end && s[open] == u'(' ? partnerOf(open) : -1;
            if (decimal && close > open + 1 && fits(level, 2)
                && std::all_of(s.begin() + open + 1, s.begin() + close, [](QChar d) { return d.isDigit(); })) {
                i = close + 1;
                return made(Kind::Overline, MathNode::makeText(s.mid(from, open - from), from),
                            MathNode::makeText(s.mid(open + 1, close - open - 1), open + 1));
            }
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
            MathNode text = MathNode::makeText(word, from);
            text.role = wordRole(word, latin);
            return text;
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
            const qsizetype close = partnerOf(i);
            const QString brackets = QString(c) + s[close];
            std::vector<MathNode> inside;
            inside.push_back(content(level + 1));
            MathNode fence = MathNode::make(Kind::Fence, std::move(inside), brackets);
            fence.source = from;
            fence.closeSource = close;
            return fence;
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
