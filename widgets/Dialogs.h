#pragma once

#include <QString>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

// Every message box and standard dialog of the program goes through here, so that tests can
// answer them and read their texts without a window appearing.
namespace Dialogs
{

enum class Kind { Message, Error, Question, Input, OpenFile, SaveFile, Print };

struct Request {
    Kind kind;
    QString title;
    QString text;   // message, question, input prompt or file-dialog caption
    QString value;  // input box's initial value; the file name a save dialog proposes
    QString filter; // file dialogs
    QString detail; // message and error boxes: a line of detail below the text
};

struct Answer {
    bool accepted = true; // OK / Yes / a file chosen / print confirmed
    QString value;        // typed text or chosen file
    QString selectedFilter;
};

using Hook = std::function<Answer(const Request &)>;
// With a hook set, no window is shown: the hook answers. An empty hook restores the windows.
void setHook(Hook hook);

// One OK button, titled with the program's name; detail, when given, is shown below the text.
void message(QWidget *parent, const QString &text, const QString &detail = QString());
// The program's standard error box.
void error(QWidget *parent, const QString &text, const QString &detail = QString());
// Yes and No with a question icon; true for Yes. Enter answers Yes unless noIsDefault.
bool question(QWidget *parent, const QString &title, const QString &text, bool noIsDefault = false);
// Empty when cancelled.
std::optional<QString> inputBox(QWidget *parent, const QString &title, const QString &prompt,
                                const QString &value);
// Empty when cancelled.
QString openFileName(QWidget *parent, const QString &caption, const QString &filter);
// Proposes proposedName (in the working folder when it names none). Empty when cancelled.
QString saveFileName(QWidget *parent, const QString &caption, const QString &proposedName,
                     const QString &filters, QString *selectedFilter);
// The platform print dialog for printer; false when cancelled.
bool printSetup(QWidget *parent, QPrinter *printer);

} // namespace Dialogs
