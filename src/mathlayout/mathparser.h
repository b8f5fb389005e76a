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
//                          the superscript digits
//   sqrt(16 + 9), √3, √(x + 1), root(3)(8), ∛8
//                          roots, the radical's bar over the whole radicand
//   \/  \^  \\             a slash, a caret or a backslash as it is
// Everything else (± ≈ ≠ ≤ ≥ × ÷ · ° % π, digits of either kind) is text in
// the row as typed. Reading never fails: what is not notation is text.
//
// Reading takes time in proportion to the text: each bracket's partner is
// found once, before reading, so nothing is read twice. No tree it makes is
// taller than kMaxHeight, so whatever walks one (copying, laying out,
// destroying) recurses at most that deep: brackets and roots nested too deep
// are text, and a chain of fractions or powers too tall to stack (1/2/3/...,
// 2^2^2^...) is set in a line as typed.
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
    // of "[" and "]" holding the character "(").
    static std::vector<qsizetype> bracketPartners(const QString &text, qsizetype start, qsizetype length);

    // Whether a text has notation in any of its expressions.
    static bool hasNotation(const QString &text);
};
