#include "messagebox.h"

#include "failure.h"
#include "translation.h"

#include <QApplication>
#include <QFontInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include <algorithm>

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

QString MessageBox::askText(const QString &prompt, const QString &title, QWidget *over, qreal scale)
{
    if (g_answerInAdvance) {
        g_history.append({Icon::Question, prompt, title});
        return nextAnswer(QString());
    }
    QInputDialog dialog(over ? over : QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    // Words of their own: Qt's Arabic "Cancel" is a clipped imperative.
    dialog.setOkButtonText(QCoreApplication::translate("MessageBox", "OK"));
    dialog.setCancelButtonText(QCoreApplication::translate("MessageBox", "Cancel"));
    // Every part at the scale asked (the program gives labels and fields
    // fonts of their own, which a font set on the dialog would not reach).
    if (scale > 1.0) {
        // As large as the game's own smallest text (16 pixels), scaled.
        const int pixels = qRound(std::max(QFontInfo(dialog.font()).pixelSize(), 16) * scale);
        QList<QWidget *> parts = dialog.findChildren<QWidget *>();
        parts.prepend(&dialog);
        for (QWidget *part : parts) {
            QFont font = part->font();
            font.setPixelSize(pixels);
            part->setFont(font);
        }
    }
    // Room for a long name.
    if (auto *field = dialog.findChild<QLineEdit *>())
        field->setMinimumWidth(qRound(dialog.fontMetrics().averageCharWidth() * 30 * scale));
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

bool MessageBox::attempt(const std::function<void()> &work, const QString &title)
{
    try {
        work();
        return true;
    } catch (const Failure &failure) {
        warning(failure.message(), title);
        return false;
    }
}

std::unique_ptr<QMessageBox> MessageBox::make(Icon icon, const QString &prompt, const QString &title)
{
    const QMessageBox::Icon shown = icon == Icon::Warning ? QMessageBox::Warning : icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::Question;
    auto box = std::make_unique<QMessageBox>(shown, title, Translation::forWindow(prompt), QMessageBox::Ok,
                                             QApplication::activeWindow());
    // Shown as written: a name or a file's name that looks like markup is
    // never taken for it.
    box->setTextFormat(Qt::PlainText);
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
