#pragma once

#include <QList>
#include <QString>

#include <memory>

class QMessageBox;

// Every message box of the program goes through here: modal, one OK button,
// read right to left. Tests answer the boxes in advance instead of showing
// them, and read what would have been shown.
class MessageBox {
public:
    enum class Icon { Warning, Critical };

    struct Shown {
        Icon icon;
        QString prompt;
        QString title;
    };

    // The warning box: exclamation icon and a single OK button.
    static void warning(const QString &prompt, const QString &title);
    // The error box of the failure report.
    static void critical(const QString &prompt, const QString &title);

    // For tests: from now on every box is answered with OK at once and only
    // recorded; history() lists them in order.
    static void answerInAdvance();
    static QList<Shown> history();
    static void clearHistory();

    // The box as it is shown: its icon, prompt and title, one OK button, read
    // in the direction of its prompt.
    static std::unique_ptr<QMessageBox> make(Icon icon, const QString &prompt, const QString &title);

private:
    static void show(Icon icon, const QString &prompt, const QString &title);
};
