#pragma once

#include "db/SqlQuery.h"
#include "dbmaint/CatalogueRunner.h"

#include <QDialog>
#include <QStringList>

class Gauge;
class QPushButton;

// What the two schema update windows share: the run button, the gauge and the close button, which
// each window's form lays out one above the other and all of one width, and the command query on
// the main connection.
class CatalogueWindow : public QDialog
{
    Q_OBJECT

public:
    QPushButton *FBAtualiza = nullptr;
    Gauge *Gauge1 = nullptr;
    QPushButton *FBSair = nullptr;
    SqlQuery sqlComandos;

public slots:
    virtual void FBAtualizaClick() = 0;
    void FBSairClick();

protected:
    explicit CatalogueWindow(QWidget *parent);
    // Called by each window once its form is set up: the controls the runs work, the caption the
    // safety copy's name is added to, the place in the middle of the screen.
    void takeControls(QPushButton *atualiza, Gauge *gauge, QPushButton *sair);
    // Both buttons are off while a run holds the window; afterwards the focus is on the run button.
    void setButtonsEnabled(bool enabled);
    // Runs the catalogue on the connection, advancing the gauge at each step, and tells the person
    // what it left undone. First it says so when the last update did not end, and takes the safety
    // copy (named in the title bar from then on); a copy that fails stops the run before anything
    // is sent, with a message saying why. The run holds the user-interface thread: clicks and keys made
    // meanwhile are dropped, never acted on afterwards. A run stopped by its connection shows the standard
    // error box and leaves both buttons off; otherwise they are on again afterwards.
    void runCatalogue(SqlConnection &connection, CatalogueRunner &runner, const QString &atualizacao,
                      const QStringList &catalogue);

private:
    QString m_caption;
};
