#pragma once

#include <QString>

// The program's messages in the user's language: Arabic when the user's
// languages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) put Arabic first, English,
// as they are written, otherwise; Qt's own texts (the message boxes' buttons,
// the command line's errors) in the same language.
class Translation {
public:
    // Once per application object, right after it is made (a second object,
    // made after the first is gone, gets the same translators).
    static void install();

    // Whether the messages read right to left.
    static bool rightToLeft();

    // text as one unit inside a message, so that a path, a file name, an
    // option or a number keeps its own order inside right-to-left text
    // (Unicode's first-strong isolate); text itself in left-to-right messages.
    static QString isolate(const QString &text);

    // Text from a file (an answer, a stored value) as a message shows it:
    // control characters and the marks that reorder text written as escapes
    // (\x1b, \u202e), so a bank cannot drive a terminal or scramble a line;
    // isolated as above.
    static QString shown(const QString &text);

    // A message as a window shows it: each line begins with the mark of the
    // direction the Unicode rules give it. A label finds a line's direction
    // at its first strong letter even inside an isolate, so a right-to-left
    // line that begins with a path was set left to right, its words out of
    // order.
    static QString forWindow(const QString &text);
};
