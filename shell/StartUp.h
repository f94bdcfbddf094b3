#pragma once

class QApplication;

// How long the splash holds the program before the main window is created: 3000 ms, or the
// milliseconds given in ESTOCARIUM_SPLASH_MS (the tests' one way to shorten it).
int splashWaitMs();

// Qt's own texts (buttons of message boxes, input boxes, calendar, file and print dialogs) in
// Brazilian Portuguese.
void installPortugueseTranslations(QApplication &app);

// From session initialisation to the end of the event loop; returns the loop's result.
int runProgram(QApplication &app);
