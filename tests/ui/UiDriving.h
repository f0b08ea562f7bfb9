#pragma once

#include "ScriptedUi.h"
#include "ui/QtUi.h"

#include <QDate>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>

class QAction;
class QCalendarWidget;
class QColor;
class QImage;
class QMainWindow;
class QMdiSubWindow;
class QTableView;

namespace purslet {
class InputPresenter;
}

namespace purslet::test {

class TempHome;

// The real Ui, but message boxes, prompts and file dialogs answer from a
// script (an empty script cancels), the modal windows are only named, and the
// end of the program is only counted.
class ScriptedQtUi final : public QtUi
{
public:
    std::deque<MsgAnswer> answers;
    std::deque<QString> openPaths, savePaths;
    QStringList texts;  // message texts, in order
    QStringList titles; // their titles
    QStringList fileDialogTitles;
    QStringList modals;
    int ends = 0;

    // Message boxes come up for real, to be answered with keys (ModalAnswers).
    bool realBoxes = false;
    // So do the modal windows the program registered.
    bool realModals = false;

    MsgAnswer messageBox(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons,
                         MsgAnswer defaultAnswer) override
    {
        texts << text;
        titles << title;
        if (realBoxes)
            return QtUi::messageBox(text, title, icon, buttons, defaultAnswer);
        return NextAnswer(answers, buttons, defaultAnswer);
    }
    QString inputBox(const QString &, const QString &, const QString &, bool) override { return QString(); }
    // Asked once, through the scripted prompt: no password.
    NewPassword newPasswordBox(const QString &prompt, const QString &title) override
    {
        return Ui::newPasswordBox(prompt, title);
    }
    QString openFileDialog(const FileDialogRequest &request) override { return next(openPaths, request); }
    QString saveFileDialog(const FileDialogRequest &request) override { return next(savePaths, request); }
    bool showModal(ModalWindow window) override
    {
        modals << ModalWindowName(window);
        return realModals ? QtUi::showModal(window) : true;
    }
    void endProgram() override { ++ends; }

private:
    QString next(std::deque<QString> &paths, const FileDialogRequest &request)
    {
        fileDialogTitles << request.title;
        if (paths.empty())
            return QString();
        const QString path = paths.front();
        paths.pop_front();
        return path;
    }
};

// Input as a person gives it: keys to the widget with the keyboard focus,
// clicks at positions.
QWidget *focus();
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// One key press per character; Japanese text arrives as key events with
// text, a surrogate pair as one character.
void typeText(const QString &text);

// Answers each modal window that comes up with the next step, once the
// window has the keyboard, as a person waits for it before typing. A window
// after the last step is counted and closed.
class ModalAnswers
{
public:
    using Step = std::function<void(QWidget *window)>;
    explicit ModalAnswers(std::deque<Step> steps);
    int answered() const { return int(titles.size()); }
    bool done() const { return m_steps.empty(); }
    QStringList titles; // of the windows answered, in order

private:
    std::deque<Step> m_steps;
    QTimer m_timer;
};
// Keys into the focus widget; text typed, then Return; the close request a
// window manager's close box sends.
ModalAnswers::Step KeyStep(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
ModalAnswers::Step TypedStep(const QString &text);
ModalAnswers::Step CloseBoxStep();

// Opens the item's menu by a click on its title in the menu bar, then clicks the item.
void clickMenuItem(QMainWindow *window, QAction *item);
void clickToolButton(QMainWindow *window, QAction *button);
// The close box in a child window's title bar.
void clickCloseBox(QMdiSubWindow *window);
// The centre of a model row's cell in a view's viewport.
QPoint cellCentre(QTableView *view, int row, int col = 1);
void clickCell(QTableView *view, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int col = 1);

// The day grid inside a month calendar.
QTableView *calendarDays(QCalendarWidget *calendar);
// Clicks the highlighted day, walks to the date with Page Down/Up, Home and
// the arrow keys, and presses Enter.
void pickDate(QCalendarWidget *calendar, QDate date);

// Pictures for a look by eye, saved only when PURSLET_SCREENSHOTS names a folder.
QString ScreenshotFolder();
void SaveScreenshot(const QImage &image, const QString &name);
void SaveScreenshot(QWidget *widget, const QString &name);

// The mean colour of the pixels in a rectangle; Coloured leaves out the greys
// (background, anti-aliasing) to see the colour of text.
enum class Pixels { All, Coloured };
QColor MeanColour(const QImage &image, const QRect &rect, Pixels pixels = Pixels::All);

// The texts of a dialog's labels, buttons, group boxes and tabs, shown or
// not, that hold a word in Latin letters; `data` names the widgets that show
// the user's data (a printer's name, a file name) rather than Qt's texts.
QStringList EnglishTexts(QWidget *dialog, const QStringList &data = {});
// Qt's print dialog: the page range widgets a user could pick, by name, and
// how many of them there are.
QStringList PageRangeWidgetsOffered(QWidget *printDialog, int *found);

// The sample book and its catalogs, copied into a test's home.
QString SampleBook();
void CopySampleCatalogs(const TempHome &home);

// A record put in through the entry presenter, for the state a test starts from.
void RecordDirectly(InputPresenter &input, const QString &date, bool income, const QString &matter,
                    const QString &money, const QString &memo = QString());

} // namespace purslet::test
