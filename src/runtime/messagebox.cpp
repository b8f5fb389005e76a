#include "messagebox.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {
bool g_answerInAdvance = false;
QList<MessageBox::Shown> g_history;
QStringList g_answers;

QString nextAnswer(const QString &none)
{
    return g_answers.isEmpty() ? none : g_answers.takeFirst();
}
} // namespace

bool MessageBox::ask(const QString &prompt, const QString &title)
{
    if (g_answerInAdvance) {
        g_history.append({Icon::Question, prompt, title});
        return nextAnswer(QStringLiteral("yes")) == QLatin1String("yes");
    }
    auto box = make(Icon::Question, prompt, title);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::No);
    return box->exec() == QMessageBox::Yes;
}

QString MessageBox::askText(const QString &prompt, const QString &title)
{
    if (g_answerInAdvance) {
        g_history.append({Icon::Question, prompt, title});
        return nextAnswer(QString());
    }
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setLayoutDirection(prompt.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    dialog.setWindowModality(Qt::ApplicationModal);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue().trimmed() : QString();
}

void MessageBox::queueAnswers(const QStringList &answers)
{
    g_answers = answers;
}

void MessageBox::warning(const QString &prompt, const QString &title)
{
    show(Icon::Warning, prompt, title);
}

void MessageBox::critical(const QString &prompt, const QString &title)
{
    show(Icon::Critical, prompt, title);
}

void MessageBox::show(Icon icon, const QString &prompt, const QString &title)
{
    if (g_answerInAdvance) {
        g_history.append({icon, prompt, title});
        return;
    }
    make(icon, prompt, title)->exec();
}

std::unique_ptr<QMessageBox> MessageBox::make(Icon icon, const QString &prompt, const QString &title)
{
    const QMessageBox::Icon shown = icon == Icon::Warning ? QMessageBox::Warning : icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::Question;
    auto box = std::make_unique<QMessageBox>(shown, title, prompt, QMessageBox::Ok,
                                             QApplication::activeWindow());
    box->setLayoutDirection(prompt.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

void MessageBox::answerInAdvance()
{
    g_answerInAdvance = true;
}

QList<MessageBox::Shown> MessageBox::history()
{
    return g_history;
}

void MessageBox::clearHistory()
{
    g_history.clear();
}
