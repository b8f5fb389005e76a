#pragma once

#include "mathnode.h"

#include <QString>

// Reads an expression as a teacher types it in a spreadsheet cell:
//   3/4, x/2, (x + 1)/3    a fraction: each side a number, a letter or a
//                          group in parentheses (the parentheses of a group
//                          are not drawn); ÷ stays division in the line
//   2 1/2, 2½, ¾           a mixed number and the vulgar fractions
//   x^2, 2^(n + 1), x²     a power: ^ and a number, a letter or a group, or
//                          the superscript digits
//   sqrt(16 + 9), √3, √(x + 1), root(3)(8), ∛8
//                          roots, the radical's bar over the whole radicand
//   \/  \^  \\             a slash, a caret or a backslash as it is
// Everything else (± ≈ ≠ ≤ ≥ × ÷ · ° % π, digits of either kind) is text in
// the row as typed. Reading never fails: what is not notation is text.
class MathParser {
public:
    // The expression that stands at [start, start + length) in text; the
    // sources of its text are places in text.
    static MathNode parse(const QString &text, qsizetype start, qsizetype length);
    static MathNode parse(const QString &text) { return parse(text, 0, text.size()); }

    // Whether a text has notation in any of its expressions.
    static bool hasNotation(const QString &text);
};
