#include "messagebox.h"

#include <QApplication>
#include <QMessageBox>

namespace {
bool g_answerInAdvance = false;
QList<MessageBox::Shown> g_history;
} // namespace

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
    auto box = std::make_unique<QMessageBox>(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::Critical, title, prompt, QMessageBox::Ok,
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
