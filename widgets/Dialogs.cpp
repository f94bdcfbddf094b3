#include "widgets/Dialogs.h"

#include "widgets/ReachableWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QShortcut>
#include <QSplitter>
#include <QTreeView>

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

namespace
{

// Qt's own file dialog opens with its places, size, type and date cut ("Com...", "57,...KiB",
// "Do...DF", "11/12/..."): it opens wider, those columns as wide as their texts and headings, the
// name in what is left.
QString runFileDialog(QFileDialog &dialog, QString *selectedFilter)
{
    dialog.resize(dialog.sizeHint().expandedTo(QSize(860, 480)));
    if (auto *places = dialog.findChild<QSplitter *>(QStringLiteral("splitter")))
        places->setSizes({150, 700});
    if (auto *details = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
        QHeaderView *columns = details->header();
        columns->setStretchLastSection(false);
        columns->setSectionResizeMode(0, QHeaderView::Stretch);
        const QFontMetrics metrics = details->fontMetrics();
        const int margin = metrics.averageCharWidth() * 3;
        const QString widest[] = {QStringLiteral("999,99 KiB"), QStringLiteral("Documento PDF"),
                                  QStringLiteral("31/12/2026 23:59")};
        for (int column = 1; column <= 3; ++column)
            columns->resizeSection(column, std::max(metrics.horizontalAdvance(widest[column - 1]) + margin,
                                                    columns->sectionSizeHint(column)));
    }
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    if (selectedFilter)
        *selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().value(0);
}

} // namespace

QString openFileName(QWidget *parent, const QString &caption, const QString &filter)
{
    if (hook()) {
        const Answer answer = hook()({Kind::OpenFile, caption, caption, {}, filter, {}});
        return answer.accepted ? answer.value : QString();
    }
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(dialog, nullptr);
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
    // A name alone is proposed in the working folder, a path in its own folder.
    QFileDialog dialog(parent, caption, proposedName, filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (selectedFilter && !selectedFilter->isEmpty())
        dialog.selectNameFilter(*selectedFilter);
    return runFileDialog(dialog, selectedFilter);
}

bool printSetup(QWidget *parent, QPrinter *printer)
{
    if (hook())
        return hook()({Kind::Print, printer->docName(), printer->docName(), {}, {}, {}}).accepted;
    QPrintDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace Dialogs
