#pragma once

#include <QString>

// A counter label holds a whole number in its caption. These turn a caption
// into its number and back, and add one.
class CounterText {
public:
    // The caption's leading numeric part (blanks before it are skipped); an
    // empty or non-numeric caption reads as 0.
    static double toNumber(const QString &caption);
    // Shortest decimal form: "0", "1", "10"; no blank, no decimal point for
    // whole numbers.
    static QString fromNumber(double value);
    // Reads the caption, adds one and gives the new caption. A sum that is not
    // a finite number is a failure.
    static QString increment(const QString &caption);
};
