#pragma once

#include "classplay.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class ScaledView;

namespace Ui {
class ClassWindow;
}

// The host screen of a class play, for the projector: how to join (the
// address, its QR code, the room's code) and who joined; the question asked
// with its answers and how many answered; the closed question's chart; the
// end. Space or Enter (or the question button) goes on, F11 and Escape as in
// the game. It shows the class play; the class play decides.
class ClassWindow : public QWidget {
    Q_OBJECT
public:
    ClassWindow(ClassPlay &play, const QString &address, QWidget *parent = nullptr);
    ~ClassWindow() override;

    // The next step: a question drawn, or the one asked closed.
    void step();
    void setFullScreen(bool fullScreen);
    // Shows a failure of the network side (an answer that could not be
    // written).
    void report(const QString &message);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void showState();
    void showQuestion();
    void showTime();
    void removeSelected();
    void endPlay();
    bool attempt(const std::function<void()> &work);

    std::unique_ptr<Ui::ClassWindow> ui;
    ClassPlay &m_play;
    std::unique_ptr<ScaledView> m_view;
    QTimer m_clock;
    int m_shownQuestion = 0;
    QPixmap m_qr;
};
