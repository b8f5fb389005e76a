#pragma once

#include "mathnode.h"

#include <QString>

#include <vector>

// Reads an expression as a teacher types it in a spreadsheet cell:
//   3/4, x/2, (x + 1)/3    a fraction: each side a number, a letter or a
//                          group in parentheses (the parentheses of a group
//                          are not drawn); ÷ stays division in the line
//   2 1/2, 2½, ¾           a mixed number and the vulgar fractions
//   x^2, 2^(n + 1), x²     a power: ^ and a number, a letter or a group, or
//                          the superscript digits; 2^3^2 is 2^(3^2)
//   x_1, a_n, log_2 8      a subscript: _ and a number, a letter or a group
//   sqrt(16 + 9), √3, √(x + 1), root(3)(8), ∛8
//                          roots, the radical's bar over the whole radicand
//   |x|, {1, 2}            an absolute value and a set between bars or
//                          braces that grow with what they hold
//   0.(3), 0.1(6)          a repeating decimal, its repeating digits barred
//   \/  \^  \\  \_  \|    a slash, a caret, a backslash, an underscore or a
//                          bar as it is
// Everything else (± ≈ ≠ ≤ ≥ × ÷ · ° % ! ' π ∠ ∞ ∪ ∈, Greek letters, digits
// of either kind, any symbol) is text in the row as typed, in its place.
// Latin letters are variables (set in italics) except the names of
// functions (sin cos tan log ln, and جا جتا ظا لو لط), which are upright
// and spaced; an operator or relation between operands is spaced.
// Reading never fails: what is not notation is text.
//
class MathParser {
public:
    static constexpr int kMaxHeight = 64;

    // The expression that stands at [start, start + length) in text; the
    // sources of its text are places in text.
    static MathNode parse(const QString &text, qsizetype start, qsizetype length);
    static MathNode parse(const QString &text) { return parse(text, 0, text.size()); }

    // For each character of text[start, start + length), the index of the
    // bracket that closes or opens the bracket there, or -1: not a bracket,
    // or one never closed. A closing bracket closes the nearest open one of
    // its kind, and those opened after it stay unclosed ("[(]" is a group
    // of "[" and "]" holding the character "("). A bar after an operand
    // closes an open bar, one anywhere else opens one ("|-7| + |3|"); a bar
    // after an operand with none open is not a bracket ("{x | x > 2}").
    // unmatched, when given, receives the places of the brackets never
    // closed and of the closing ones with nothing to close, in order.
    static std::vector<qsizetype> bracketPartners(const QString &text, qsizetype start, qsizetype length,
                                                  std::vector<qsizetype> *unmatched = nullptr);

    // Whether a text has notation in any of its expressions.
    static bool hasNotation(const QString &text);
};
