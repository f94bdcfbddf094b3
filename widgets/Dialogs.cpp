#include "widgets/Dialogs.h"

#include "widgets/ReachableWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QShortcut>

namespace Dialogs
{

namespace
{

Hook &hook()
{
    static Hook instance;
    return instance;
}

// As in the message boxes of Windows, where the suite's people come from, Ctrl+C copies the
// box's title, texts and buttons between lines of dashes, so that a message reaches a call for
// help whole, its detail line included.
void copyOnCtrlC(QMessageBox &box)
{
    auto *copy = new QShortcut(QKeySequence::Copy, &box);
    QObject::connect(copy, &QShortcut::activated, &box, [&box] {
        const QString line = QStringLiteral("---------------------------\n");
        QStringList buttons;
        for (const QAbstractButton *button : box.buttons())
            buttons << button->text().remove(u'&');
        QString text = line + box.windowTitle() + u'\n' + line + box.text() + u'\n';
        if (!box.informativeText().isEmpty())
            text += box.informativeText() + u'\n';
        text += line + buttons.join(QStringLiteral("   ")) + u'\n' + line;
        QGuiApplication::clipboard()->setText(text);
    });
}

// A message box is only as wide as its text; the window frame would then cut a longer title.
// Like every modal window it stays within reach (ReachableWindow).
void prepareBox(QMessageBox &box)
{
    ReachableWindow::prepare(box);
    copyOnCtrlC(box);
    const int titleWidth = box.fontMetrics().horizontalAdvance(box.windowTitle()) + 120;
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (grid)
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

QString programTitle()
{
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Estocarium") : name;
}

} // namespace

void setHook(Hook newHook)
{
    hook() = std::move(newHook);
}

void message(QWidget *parent, const QString &text, const QString &detail)
{
    if (hook()) {
        hook()({Kind::Message, programTitle(), text, {}, {}, detail});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, programTitle(), text, QMessageBox::Ok, parent);
    box.setInformativeText(detail);
    prepareBox(box);
    box.exec();
}

void error(QWidget *parent, const QString &text, const QString &detail)
{
    if (hook()) {
        hook()({Kind::Error, programTitle(), text, {}, {}, detail});
        return;
    }
    QMessageBox box(QMessageBox::Critical, programTitle(), text, QMessageBox::Ok, parent);
    box.setInformativeText(detail);
    prepareBox(box);
    box.exec();
}

bool question(QWidget *parent, const QString &title, const QString &text, bool noIsDefault)
{
    if (hook())
        return hook()({Kind::Question, title, text, {}, {}, {}}).accepted;
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(noIsDefault ? QMessageBox::No : QMessageBox::Yes);
    prepareBox(box);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> inputBox(QWidget *parent, const QString &title, const QString &prompt,
                                const QString &value)
{
    if (hook()) {
        const Answer answer = hook()({Kind::Input, title, prompt, value, {}, {}});
        return answer.accepted ? std::optional<QString>(answer.value) : std::nullopt;
    }
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(value);
    dialog.setTextEchoMode(QLineEdit::Normal);
    ReachableWindow::prepare(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString openFileName(QWidget *parent, const QString &caption, const QString &filter)
{
    if (hook()) {
        const Answer answer = hook()({Kind::OpenFile, caption, caption, {}, filter, {}});
        return answer.accepted ? answer.value : QString();
    }
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString saveFileName(QWidget *parent, const QString &caption, const QString &proposedName,
                     const QString &filters, QString *selectedFilter)
{
    if (hook()) {
        const Answer answer = hook()({Kind::SaveFile, caption, caption, proposedName, filters, {}});
        if (selectedFilter)
            *selectedFilter = answer.selectedFilter;
        return answer.accepted ? answer.value : QString();
    }
    return QFileDialog::getSaveFileName(parent, caption, proposedName, filters, selectedFilter);
}

bool printSetup(QWidget *parent, QPrinter *printer)
{
    if (hook())
        return hook()({Kind::Print, printer->docName(), printer->docName(), {}, {}, {}}).accepted;
    QPrintDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace Dialogs
