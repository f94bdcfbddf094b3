// The bare reference for scripts/bench-launch.sh: the least a Qt program can do to reach a
// sign-in dialog on the working folder's database. It attaches LICITACAO.FDB with the same
// parameters and the same embedded engine as the program, then shows a dialog with the login
// dialog's title and two labelled fields, so that it draws text as the login dialog does. Escape
// closes it.
#include "db/Attachment.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFormLayout>
#include <QLineEdit>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    fb::Attachment attachment;
    fb::AttachOptions options;
    options.user = QStringLiteral("sysdba");
    options.password = QStringLiteral("quartzite");
    options.role = QStringLiteral("RoleName");
    attachment.attach(QDir::currentPath() + QStringLiteral("/LICITACAO.FDB"), options);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Estocarium / Estocarium - 2017"));
    auto *fields = new QFormLayout(&dialog);
    fields->addRow(QStringLiteral("Código:"), new QLineEdit(&dialog));
    auto *password = new QLineEdit(&dialog);
    password->setEchoMode(QLineEdit::Password);
    fields->addRow(QStringLiteral("Senha:"), password);
    dialog.resize(340, 220);
    return dialog.exec();
}
