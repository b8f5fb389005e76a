#pragma once

// The program's messages in the user's language: Arabic under an Arabic
// locale (ar_*), English, as they are written, under any other.
class Translation {
public:
    // Once, after the application object is made.
    static void install();
};
