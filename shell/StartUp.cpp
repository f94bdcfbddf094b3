#include "shell/StartUp.h"

#include "db/AttachmentInAdvance.h"
#include "session/ConnectionOpening.h"
#include "session/TdmPrincipal.h"
#include "session/uTotal.h"
#include "shell/MissingQtTranslations.h"
#include "shell/TFrm_Abertura.h"
#include "shell/TFrm_Principal_Estoc.h"
#include "widgets/ModalWindow.h"
#include "widgets/Termination.h"
#include "widgets/TerminationSignals.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

int splashWaitMs()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("ESTOCARIUM_SPLASH_MS", &ok);
    return ok && ms >= 0 ? ms : 3000;
}

void installPortugueseTranslations(QApplication &app)
{
    const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    QLocale::setDefault(brasil);
    auto *translator = new QTranslator(&app);
    if (translator->load(brasil, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);
    else
        delete translator;
    app.installTranslator(new MissingQtTranslations(&app));
}

namespace
{

// Qt's X11 plugin ends the process with exit(1) when the display goes away (log-out, a dropped
// remote display), so main's own clean-up never runs. This exit handler detaches the
// connection first; registered after the first connection attempt has loaded the Firebird
// plugins, it runs before their exit handlers shut the engine down.
void detachAtExit()
{
    if (!dmPrincipal)
        return;
    dmPrincipal->NimboConnection->attachmentInAdvance().drop();
    try {
        dmPrincipal->NimboConnection->close();
    } catch (...) {
        // The process is ending; the engine's own shutdown closes what is left.
    }
}

} // namespace

int runProgram(QApplication &app)
{
    installTerminationSignals();
    InicializaSessao();
    // The database opens while the splash and the main window are built; the main window then
    // takes the attachment over (or reports its failure) as if it had opened it itself.
    dmPrincipal = new TdmPrincipal;
    fb::AttachmentInAdvance &attachment = dmPrincipal->NimboConnection->attachmentInAdvance();
    beginConfiguredConnection(*dmPrincipal->NimboConnection);

    const int splashWait = splashWaitMs();
    Frm_Abertura = new TFrm_Abertura;
    Frm_Abertura->showAndPaint(splashWait > 0);
    // What needs no database is built while the attachment is under way on its helper thread:
    // the main window stays hidden until the connection has been taken over.
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/app-64.png")));
    Frm_Principal_Estoc = new TFrm_Principal_Estoc;
    // Deliberately blocking: the splash neither repaints nor reacts meanwhile.
    waitUnlessTerminated(splashWait);
    // A server that does not answer holds the attachment up to the connect timeout; a
    // termination signal meanwhile ends the program at once rather than after it.
    while (!terminationRequested() && !attachment.waitFor(std::chrono::milliseconds(20)))
        takeTerminationSignal();

    // A termination signal during the wait ends the program before it opens the database.
    if (!terminationRequested()) {
        Frm_Principal_Estoc->abreConexao();
        static const bool detachRegistered = std::atexit(detachAtExit) == 0;
        Q_UNUSED(detachRegistered);
        // A termination requested while the connection opened (internet mode) ends the loop
        // at its first turn; the window need not appear for that.
        if (!terminationRequested())
            Frm_Principal_Estoc->showMaximized();
    }

    const int result = app.exec();

    delete Frm_Principal_Estoc;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ModalWindow::release(Frm_Abertura);
    // Begun but never taken over when the program ended before the main window opened the
    // connection. One still under way a second later (a server that does not answer) would hold
    // the client library's shutdown at exit, spinning, until the connect timeout: nothing else
    // is attached yet, so the process ends without that shutdown, as a killed one would.
    const bool dropped = attachment.drop(std::chrono::seconds(1));
    delete dmPrincipal;
    dmPrincipal = nullptr;
    if (!dropped) {
        std::fflush(nullptr);
        std::_Exit(result);
    }
    return result;
}
