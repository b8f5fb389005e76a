#pragma once

// The window designs name Windows fonts; these are replaced once, at start-up,
// by free fonts that Debian ships, with an Arabic font behind each.
class Fonts {
public:
    static void install();
};
