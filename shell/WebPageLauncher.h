#pragma once

#include "widgets/ProgramStarter.h"

class QWidget;

// "Informações on-line": the maker's web page in the browser the desktop names (BROWSER, then
// Debian's x-www-browser), or else in the first common browser installed. Without any browser
// the user is told what is missing instead of nothing happening.
class WebPageLauncher : public ProgramStarter
{
public:
    WebPageLauncher();

    std::function<QString()> preferredBrowsers; // the BROWSER setting: programs separated by ':'

    QStringList browsers() const;
    void open(QWidget *owner, const QString &address) const;
};
