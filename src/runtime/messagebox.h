#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

// Every message box of the program goes through here: modal, one OK button,
// read right to left. Tests answer the boxes in advance instead of showing
// them, and read what would have been shown.
class MessageBox {
public:
    enum class Icon { Warning, Critical, Question };

    struct Shown {
        Icon icon;
        QString prompt;
        QString title;
    };

    // The warning box: exclamation icon and a single OK button.
    static void warning(const QString &prompt, const QString &title);
    // A window's edge: runs work; a Failure it throws is shown in the
    // warning box under title, and goes no further. Whether work ran
    // through.
    static bool attempt(const std::function<void()> &work, const QString &title);
    // The error box of the failure report.
    static void critical(const QString &prompt, const QString &title);
    // A question with the buttons Yes and No; whether Yes was chosen.
    static bool ask(const QString &prompt, const QString &title);
    // A line of text the user may leave empty (a player's name), right to
    // left; what was written, or an empty text when the box was closed. Shown
    // centred over the window over (the active one when none), its text
    // scale times the usual size.
    static QString askText(const QString &prompt, const QString &title, QWidget *over = nullptr, qreal scale = 1.0);

    // For tests: from now on every box is answered with OK at once and only
    // recorded; history() lists them in order. A question takes the next of
    // the answers queued ("yes", "no", or a text), Yes or an empty text when
    // none is.
    static void answerInAdvance();
    static void queueAnswers(const QStringList &answers);
    static QList<Shown> history();
    static void clearHistory();

    // The box as it is shown: its icon, prompt and title, one OK button, read
    // in the direction of its prompt.
    static std::unique_ptr<QMessageBox> make(Icon icon, const QString &prompt, const QString &title);

private:
    static void show(Icon icon, const QString &prompt, const QString &title);
};
