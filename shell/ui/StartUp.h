#pragma once

class QApplication;

// How long the splash holds the program before the main window is created: 3000 ms, or the
// milliseconds given in ESTOCARIUM_SPLASH_MS (the tests' one way to shorten it).
int splashWaitMs();

// Before the application object exists: Qt's system locale, which the file and print dialogs
// show dates, sizes, paper and units in, becomes Brazilian Portuguese whatever the machine's
// locale, as the rest of the program is. Kept: the character set of the machine's locale.
void useBrazilianLocaleEnvironment();

// Qt's own texts (buttons of message boxes, input boxes, calendar, file and print dialogs) in
// Brazilian Portuguese.
void installPortugueseTranslations(QApplication &app);

// From session initialisation to the end of the event loop; returns the loop's result.
int runProgram(QApplication &app);
