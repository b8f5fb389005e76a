#pragma once

#include <QString>

#include <algorithm>
#include <vector>

// One part of an expression as a textbook writes it. A row sets its
// children side by side; a fraction its numerator over its denominator; a
// power its base and, raised and smaller, its exponent; a root its radicand
// under the radical sign (and an index in its hook, for a cube root); a
// fence its content between brackets (or the bars of an absolute value) that
// grow with it; a subscript its base and, lowered and smaller, its index; a
// repeating decimal its repeating digits under a bar. Text is a number,
// a letter, an operator or a blank, drawn as it is.
struct MathNode {
    enum class Kind { Row, Text, Fraction, Power, Root, Fence, Subscript, Overline };
    // How a text is set: as typed; a variable (a Latin one in italics); a
    // function's name (upright, a blank after it); an operator or relation
    // between two operands (blanks on both sides).
    enum class Role { Plain, Variable, Function, Operator };

    Kind kind = Kind::Row;
    // Text: its characters; Fence: the opening and closing bracket.
    QString text;
    Role role = Role::Plain;
    // Text: where its first character stands in the text the expression was
    // read from; Fence: where its opening and its closing bracket stand.
    qsizetype source = -1;
    qsizetype closeSource = -1;
    // Fraction: numerator, denominator; Power: base, exponent; Root:
    // radicand and, when there is one, index; Fence: content; Subscript:
    // base, index; Overline: a decimal's digits before the repeating ones,
    // and those.
    std::vector<MathNode> children;
    // The levels from it down to its deepest text (text is 1). Everything
    // that walks a tree recurses this deep, so the parser bounds it.
    int height = 1;

    static MathNode makeText(const QString &text, qsizetype source)
    {
        MathNode node;
        node.kind = Kind::Text;
        node.text = text;
        node.source = source;
        return node;
    }
    static MathNode make(Kind kind, std::vector<MathNode> children, const QString &text = QString())
    {
        MathNode node;
        node.kind = kind;
        node.children = std::move(children);
        node.text = text;
        for (const MathNode &child : node.children)
            node.height = std::max(node.height, child.height + 1);
        return node;
    }
    // Whether it, or anything in it, is more than text in a row (brackets
    // around text are not).
    bool hasNotation() const
    {
        if (kind == Kind::Fraction || kind == Kind::Power || kind == Kind::Root || kind == Kind::Subscript || kind == Kind::Overline)
            return true;
        for (const MathNode &child : children) {
            if (child.hasNotation())
                return true;
        }
        return false;
    }
};
