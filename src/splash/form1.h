#pragma once

#include "contestsettings.h"

#include <QWidget>
#include <memory>

class QTimer;
class Form2;

namespace Ui {
class Form1;
}

// The splash window: borderless, with the contest's title. Its load opens the
// question bank before it is shown; once it has painted, the bank is checked
// and every used mark cleared, so that a large bank never delays the splash;
// Timer1, counting from the window's creation, hands over to the quiz window
// once.
class Form1 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTimer1IntervalMs = 2000;

    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Makes the bank from an Access file where one is to be imported, and
    // opens the bank.
    void Form_Load();

    // The hand-over shows the quiz window full screen (for a projector).
    void setQuizFullScreen(bool fullScreen) { m_quizFullScreen = fullScreen; }

    // Settings for this run over those of the contest folder.
    void setOverrides(const ContestSettings::Overrides &overrides) { m_overrides = overrides; }

    // The quiz window, once the hand-over has made it.
    Form2 *quizWindow() const { return m_form2.get(); }

public slots:
    void Timer1_Timer();
    // Checks the question bank (its numbering, marks and the whole file for
    // damage) and reads the contest's settings, then clears the bank's used
    // marks; run once the splash has painted.
    void prepareBank();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::unique_ptr<Ui::Form1> ui;
    QTimer *Timer1;
    std::unique_ptr<Form2> m_form2;
    bool m_quizFullScreen = false;
    bool m_prepareScheduled = false;
    bool m_bankReady = false;
    ContestSettings::Overrides m_overrides;
    ContestSettings m_settings;
};
