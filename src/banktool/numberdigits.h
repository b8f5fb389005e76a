#pragma once

#include <QString>

#include <optional>

// The numbers of a text written in one digit set: Western (0-9, the decimal
// point ".", per cent "%"), as in Rabat, or Eastern Arabic (٠-٩, the decimal
// separator "٫", per cent "٪"), as in Cairo. A number is a run of digits
// (Western, Eastern or Persian), with one decimal separator between digits;
// digits that belong to a word are not one: after a letter ("A4", "CO2",
// "س٢") or before a file name's suffix ("2.png"). A per cent sign after a
// number (blanks between allowed) is its per cent. For Eastern digits, the
// superscript digits of a power ("x²") become a caret and the digits
// ("x^٢"), and a vulgar fraction ("½") the fraction typed ("١/٢"), as
// neither has an Eastern form. Everything else stays as it is.
class NumberDigits {
public:
    enum class Set { AsTyped, Western, Eastern };

    // "typed", "western", "eastern": as create's --digits and the bank's
    // record name them.
    static QString name(Set set);
    static std::optional<Set> fromName(const QString &name);

    static QString convert(const QString &text, Set set);
};
