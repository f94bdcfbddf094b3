#pragma once

#include <QString>
#include <QTest>

// A test that cannot run because something it needs is not there (a Firebird server, a program the
// set-up installs) skips on a developer's machine. Under CI (scripts/test.sh sets
// ESTOCARIUM_REQUIRE_ALL=1) everything must be there, so the same test fails instead of passing
// without having run.
bool everythingRequired();

// Leaves the test function: QSKIP with the reason, or QFAIL under CI.
#define SKIP_FOR_MISSING(reason)                                                                             \
    do {                                                                                                     \
        const QByteArray missing = QString(reason).toUtf8();                                                 \
        if (everythingRequired())                                                                            \
            QFAIL(QByteArray("needed under CI (ESTOCARIUM_REQUIRE_ALL): " + missing).constData());           \
        QSKIP(missing.constData());                                                                          \
    } while (false)
