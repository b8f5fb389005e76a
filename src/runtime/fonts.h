#pragma once

class QWidget;

// The window designs name Windows fonts; these are replaced once, at start-up,
// by free fonts that Debian ships, with an Arabic font behind each.
class Fonts {
public:
    static void install();

    // Names the replacement fonts directly in the fonts of window and its
    // controls, which spares the search for a font that is not there; for a
    // window that must show at once.
    static void useReplacements(QWidget *window);
};
