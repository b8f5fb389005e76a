#pragma once

#include "application.h"
#include "messagebox.h"

#include <QTest>

// A test's main: the program's own application object (so failures escaping
// a handler are caught as in the game), message boxes answered in advance.
#define MC_TEST_MAIN(TestClass)                                   \
    int main(int argc, char **argv)                               \
    {                                                             \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))       \
            qputenv("QT_QPA_PLATFORM", "offscreen");              \
        Application app(argc, argv);                              \
        MessageBox::answerInAdvance();                            \
        TestClass test;                                           \
        return QTest::qExec(&test, argc, argv);                   \
    }
