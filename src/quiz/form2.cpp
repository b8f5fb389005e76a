#include "form2.h"

#include "accessibility.h"
#include "answerbutton.h"
#include "application.h"
#include "failure.h"
#include "failurereport.h"
#include "messagebox.h"
#include "picture.h"
#include "contestfolder.h"
#include "scaledview.h"
#include "ui_quiz.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <QCoreApplication>
#include <QLocale>

const QString Form2::kAnswerPlaceholder = QStringLiteral("الاجابة");
const QString Form2::kCorrectVerdict = Contest::verdict(true);
const QString Form2::kWrongVerdict = Contest::verdict(false);
const QString Form2::kContestOver = Contest::overText();
const QString Form2::kExhaustedPrompt = QStringLiteral("عفواً لقد نفذت الاسئلة");
const QString Form2::kExhaustedTitle = QStringLiteral("نفاذ الاسئلة");
const QString Form2::kNewContestTitle = QStringLiteral("متسابق جديد");

namespace {
// Translated when asked, after the translator is installed.
QString placeholderRole()
{
    return QCoreApplication::translate("Form2", "the question placeholder picture");
}
const QString kEmptyTitle = QStringLiteral("\u200B");
} // namespace

namespace {

// Tells assistive technology that a control's name or description changed,
// so that a screen reader speaks it without the player moving there.
void setAccessibleText(QWidget *control, const QString &text, QAccessible::Event change)
{
    const bool name = change == QAccessible::NameChanged;
    if ((name ? control->accessibleName() : control->accessibleDescription()) == text)
        return;
    if (name)
        control->setAccessibleName(text);
    else
        control->setAccessibleDescription(text);
    Accessibility::announce(control, change);
}

} // namespace

Form2::Form2(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , ui(std::make_unique<Ui::Form2>())
    , Timermove(new QTimer(this))
    , Timeranswar(new QTimer(this))
{
    ui->setupUi(this);
    m_designSize = size();
    // The title bar stays empty. Qt shows the application's name in place of
    // an empty title, so the title is an invisible zero-width space.
    setWindowTitle(kEmptyTitle);
    // The exit label sizes itself to its caption, keeping its top-left corner.
    ui->Label1->ensurePolished();
    ui->Label1->adjustSize();
    setWindowIcon(QIcon(QStringLiteral(":/org.mathcontest.MathContest.svg")));

    Timermove->setObjectName(QStringLiteral("Timermove"));
    Timermove->setInterval(kTimermoveIntervalMs);
    Timermove->setTimerType(Qt::PreciseTimer);
    Timeranswar->setObjectName(QStringLiteral("Timeranswar"));
    Timeranswar->setInterval(kTimeranswarIntervalMs);
    Timeranswar->setTimerType(Qt::PreciseTimer);

    // Only the window's bare surface reports mouse moves to Form_MouseMove:
    // no move over a control (label, picture box, frame, button, enabled or
    // not) travels on to the window.
    setMouseTracking(true);
    for (QWidget *child : findChildren<QWidget *>()) {
        child->setAttribute(Qt::WA_NoMousePropagation);
        // Keys reach the window first, wherever the focus is.
        child->installEventFilter(this);
    }

    connect(ui->soal, &PictureBox::clicked, this, &Form2::soal_Click);
    connect(Timermove, &QTimer::timeout, this, &Form2::Timermove_Timer);
    connect(ui->tta1, &AnswerButton::clicked, this, &Form2::tta1_Click);
    connect(ui->tta2, &AnswerButton::clicked, this, &Form2::tta2_Click);
    connect(ui->tta3, &AnswerButton::clicked, this, &Form2::tta3_Click);
    connect(ui->tta4, &AnswerButton::clicked, this, &Form2::tta4_Click);
    connect(Timeranswar, &QTimer::timeout, this, &Form2::Timeranswar_Timer);
    connect(ui->tta1, &AnswerButton::mouseMoved, this, &Form2::tta1_MouseMove);
    connect(ui->tta2, &AnswerButton::mouseMoved, this, &Form2::tta2_MouseMove);
    connect(ui->tta3, &AnswerButton::mouseMoved, this, &Form2::tta3_MouseMove);
    connect(ui->tta4, &AnswerButton::mouseMoved, this, &Form2::tta4_MouseMove);
    connect(ui->Label1, &ClickLabel::clicked, this, &Form2::Label1_Click);
}

Form2::~Form2() = default;

bool Form2::attempt(const std::function<void()> &work)
{
    try {
        work();
        return true;
    } catch (const Failure &failure) {
        FailureReport::report(failure);
    } catch (const std::exception &error) {
        FailureReport::report(error);
    }
    return false;
}

AnswerButton *Form2::answerButton(int number) const
{
    switch (number) {
    case 1: return ui->tta1;
    case 2: return ui->tta2;
    case 3: return ui->tta3;
    default: return ui->tta4;
    }
}

QPoint Form2::slot(int number) const
{
    switch (number) {
    case 1: return {left1, top1};
    case 2: return {left2, top2};
    case 3: return {left3, top3};
    default: return {left4, top4};
    }
}

AnswerButton *Form2::buttonInSlot(int number) const
{
    return m_contest ? answerButton(m_contest->fieldInSlot(number)) : nullptr;
}

void Form2::showCounters()
{
    ui->namberq->setText(QString::number(m_contest->asked()));
    ui->nambertrue->setText(QString::number(m_contest->correct()));
    ui->namberfalse->setText(QString::number(m_contest->wrong()));
}

void Form2::setAnswerCaptions(const std::array<QString, 4> &captions)
{
    for (int i = 0; i < 4; ++i)
        answerButton(i + 1)->setText(captions[i]);
}

void Form2::showPlaceholderQuestion()
{
    m_questionPicture.clear();
    ui->q->setPicture(m_placeholder);
    setAccessibleText(ui->q, QString(), QAccessible::DescriptionChanged);
}

void Form2::loadPictures()
{
    // Each picture is held once, as it is drawn; the one it replaces goes.
    const qreal scale = m_view ? 0 : devicePixelRatioF();
    m_pictureScale = scale;
    const QString background = ContestFolder::picture(apppath, QString::fromLatin1(ContestFolder::kBackgroundPicture));
    const QString backgroundRole = QCoreApplication::translate("Form2", "the quiz window's background");
    m_background = m_view ? Picture::load(background, backgroundRole, scale) : QPixmap();
    m_backgroundFile = m_view ? QByteArray() : Picture::compressed(background, backgroundRole);
    m_backgroundSize = m_view ? m_background.deviceIndependentSize().toSize() : Picture::shownSize(m_backgroundFile);
    update();
    m_placeholder = Picture::load(ContestFolder::picture(apppath, QString::fromLatin1(ContestFolder::kPlaceholderPicture)), placeholderRole(), scale);
    ui->q->setPicture(m_questionPicture.isEmpty() ? m_placeholder : Picture::load(m_questionPicture, m_questionRole, scale));
    ui->soal->setPicture(Picture::load(ContestFolder::picture(apppath, QString::fromLatin1(ContestFolder::kQuestionButtonPicture)), QCoreApplication::translate("Form2", "the face of the question button"), scale));
}

void Form2::Form_Load()
{
    apppath = ContestFolder::withSeparator();
    loadPictures();
    showPlaceholderQuestion();
    top1 = ui->tta1->y();
    top2 = ui->tta2->y();
    top3 = ui->tta3->y();
    top4 = ui->tta4->y();
    left1 = ui->tta1->x();
    left2 = ui->tta2->x();
    left3 = ui->tta3->x();
    left4 = ui->tta4->x();
    setAnswerCaptions({kAnswerPlaceholder, kAnswerPlaceholder, kAnswerPlaceholder, kAnswerPlaceholder});
    // The score's frame says out of how many questions.
    ui->Frame1->setTitle(QStringLiteral("الدرجة من %1").arg(m_settings.length));
    m_contest = std::make_unique<Contest>(ContestFolder::path(), m_settings);
    showCounters();
    if (m_settings.names) {
        // The name is asked once the window is on the screen (full screen
        // when the teacher asked for it), over the game rather than over
        // whatever stood on the screen before it; nothing is drawn before.
        m_awaitingName = true;
        QMetaObject::invokeMethod(this, [this] { attempt([this] { beginContest(); }); }, Qt::QueuedConnection);
    } else {
        beginContest();
    }
    describe();
}

void Form2::beginContest()
{
    m_awaitingName = m_settings.names;
    QString player;
    if (m_settings.names) {
        // Over the game and at its scale, so that a projector shows it as
        // large as the game. Closed without a name, the contest goes on
        // without one.
        QWidget *over = m_view ? static_cast<QWidget *>(m_view.get()) : this;
        const qreal scale = m_view ? std::min(qreal(m_view->width()) / m_designSize.width(), qreal(m_view->height()) / m_designSize.height()) : 1.0;
        player = MessageBox::askText(QStringLiteral("اسم المتسابق:"), kNewContestTitle, over, scale);
    }
    m_awaitingName = false;
    m_contest->begin(player);
    ui->playerName->setText(player);
    ui->playerName->setVisible(!player.isEmpty());
}

void Form2::contestEnded()
{
    ui->nextPlayerHint->setVisible(true);
    // The question box says how the contest went, not to ask for another.
    const QString score = Contest::scoreText(m_contest->correct(), m_contest->asked());
    const QString player = ui->playerName->text();
    ui->finalScore->setText(player.isEmpty() ? score : QStringLiteral("%1: %2").arg(player, score));
    ui->finalScore->setVisible(true);
    ui->finalScore->raise();
}

void Form2::newContest()
{
    attempt([this] {
        if (m_contest->underWay() && !MessageBox::ask(QStringLiteral("هل تريد إنهاء هذه المسابقة وبدء مسابقة جديدة؟"), kNewContestTitle))
            return;
        // Everything as at the start: every mark cleared by the same sweep, the
        // counters, the score, the pictures, the buttons in their slots, waiting.
        Timermove->stop();
        Timeranswar->stop();
        m_contest->renew();
        showPlaceholderQuestion();
        setAnswerCaptions({kAnswerPlaceholder, kAnswerPlaceholder, kAnswerPlaceholder, kAnswerPlaceholder});
        for (int i = 1; i <= 4; ++i) {
            answerButton(i)->move(slot(i));
            answerButton(i)->setEnabled(false);
            answerButton(i)->setBackColor(QColor(kNormalColour));
        }
        showCounters();
        ui->Lanatija25->setText(QStringLiteral("00"));
        ui->natijatrueorfalse->setVisible(false);
        ui->nextPlayerHint->setVisible(false);
        ui->finalScore->setVisible(false);
        ui->playerName->clear();
        ui->playerName->setVisible(false);
        ui->soal->setEnabled(true);
        beginContest();
        describe();
    });
}

void Form2::soal_Click()
{
    attempt([this] {
        // With hold on, the question button ends the round the verdict stayed on.
        if (m_contest->holding()) {
            Timeranswar_Timer();
            return;
        }
        if (m_awaitingName)
            return;
        showPlaceholderQuestion();
        setAnswerCaptions({kAnswerPlaceholder, kAnswerPlaceholder, kAnswerPlaceholder, kAnswerPlaceholder});
        // A button lit in the round before (the one clicked, or the one the
        // pointer rested on) would move with the shuffle and point at an answer
        // before anyone reads the question: every draw starts yellow, and only a
        // move of the pointer lights a button again.
        for (int b = 1; b <= 4; ++b)
            answerButton(b)->setBackColor(QColor(kNormalColour));
        if (m_contest->draw() == Contest::Draw::Exhausted) {
            contestEnded();
            MessageBox::warning(kExhaustedPrompt, kExhaustedTitle);
            return;
        }
        const Contest::Question &question = m_contest->question();
        m_questionPicture = ContestFolder::questionPicture(apppath, question.id);
        m_questionRole = QCoreApplication::translate("Form2", "the picture of question %1").arg(question.id);
        ui->q->setPicture(Picture::load(m_questionPicture, m_questionRole, m_pictureScale));
        m_contest->shown();
        setAccessibleText(ui->q, question.text, QAccessible::DescriptionChanged);
        setAnswerCaptions(question.answers);
        for (int i = 1; i <= 4; ++i)
            answerButton(i)->setEnabled(true);
        Timermove->start();
        ui->soal->setEnabled(false);
        showCounters();
        describe();
    });
}

void Form2::Timermove_Timer()
{
    attempt([this] {
        m_contest->shuffle();
        // Every button goes to a recorded slot, never relative to where it stands.
        for (int slotNumber = 1; slotNumber <= 4; ++slotNumber)
            answerButton(m_contest->fieldInSlot(slotNumber))->move(slot(slotNumber));
        Timermove->stop();
        describe();
    });
}

void Form2::showVerdict(const QString &verdict)
{
    // Right and wrong told apart at a glance, from the back of a classroom.
    QPalette palette = ui->natijatrueorfalse->palette();
    palette.setColor(QPalette::WindowText, QColor(verdict == kCorrectVerdict ? kCorrectColour : verdict == kWrongVerdict ? kWrongColour : kOverColour));
    ui->natijatrueorfalse->setPalette(palette);
    ui->natijatrueorfalse->setText(verdict);
    // The verdict label takes the size of its caption, keeping its left edge.
    ui->natijatrueorfalse->adjustSize();
    ui->natijatrueorfalse->setVisible(true);
}

void Form2::judge(int field)
{
    attempt([this, field] {
        for (int i = 1; i <= 4; ++i)
            answerButton(i)->setEnabled(false);
        const bool correct = m_contest->answer(field);
        showVerdict(correct ? kCorrectVerdict : kWrongVerdict);
        showCounters();
        if (m_contest->revealing())
            ui->tta1->setBackColor(QColor(kRevealColour));
        if (m_contest->holding())
            ui->soal->setEnabled(true);
        else
            Timeranswar->start();
        describe();
    });
}

// Correctness belongs to the button: tta1 always carries the correct answer,
// wherever the shuffle has put it.
void Form2::tta1_Click() { judge(1); }
void Form2::tta2_Click() { judge(2); }
void Form2::tta3_Click() { judge(3); }
void Form2::tta4_Click() { judge(4); }

void Form2::Timeranswar_Timer()
{
    attempt([this] {
        if (m_contest->revealing())
            ui->tta1->setBackColor(QColor(kNormalColour));
        showPlaceholderQuestion();
        setAnswerCaptions({kAnswerPlaceholder, kAnswerPlaceholder, kAnswerPlaceholder, kAnswerPlaceholder});
        m_contest->endRound();
        ui->Lanatija25->setText(QString::number(m_contest->score()));
        ui->soal->setEnabled(true);
        ui->natijatrueorfalse->setVisible(false);
        if (m_contest->state() == Contest::State::Over) {
            showVerdict(kContestOver);
            ui->soal->setEnabled(false);
            contestEnded();
        }
        Timeranswar->stop();
        describe();
    });
}

void Form2::Form_MouseMove()
{
    // The correct answer, marked after a wrong one, stays marked.
    for (int i = m_contest && m_contest->revealing() ? 2 : 1; i <= 4; ++i)
        answerButton(i)->setBackColor(QColor(kNormalColour));
}

void Form2::tta1_MouseMove()
{
    if (!m_contest || !m_contest->revealing())
        ui->tta1->setBackColor(QColor(kHighlightColour));
}
void Form2::tta2_MouseMove() { ui->tta2->setBackColor(QColor(kHighlightColour)); }
void Form2::tta3_MouseMove() { ui->tta3->setBackColor(QColor(kHighlightColour)); }
void Form2::tta4_MouseMove() { ui->tta4->setBackColor(QColor(kHighlightColour)); }

void Form2::Label1_Click()
{
    // The program ends however leaving went: a failure is reported, and
    // the report ends it with its own status.
    if (attempt([this] {
            if (m_contest)
                m_contest->leave();
        }))
        Application::endProgram(0);
}


void Form2::describe()
{
    const std::pair<QLabel *, const char *> counters[] = {
        {ui->namberq, "عدد الأسئلة"},
        {ui->nambertrue, "عدد الإجابات الصحيحة"},
        {ui->namberfalse, "عدد الإجابات الخاطئة"},
        {ui->Lanatija25, nullptr},
    };
    for (const auto &[label, meaning] : counters)
        setAccessibleText(label, QStringLiteral("%1: %2").arg(meaning ? QString::fromUtf8(meaning) : ui->Frame1->title(), label->text()), QAccessible::NameChanged);
    // The answers in their order on the screen, top to bottom (the order of
    // the window's children is the order assistive technology reads), the
    // score's frame kept on top of them.
    for (int number = 1; number <= 4; ++number) {
        if (AnswerButton *button = buttonInSlot(number)) {
            setAccessibleText(button, button->text(), QAccessible::NameChanged);
            button->raise();
        }
    }
    ui->Frame1->raise();
    QLabel *verdict = ui->natijatrueorfalse;
    // At the contest's end the announcement says how to go on.
    QString said = verdict->isVisible() ? verdict->text() : QString();
    for (QLabel *shown : {ui->finalScore, ui->nextPlayerHint}) {
        if (shown->isVisible())
            said += (said.isEmpty() ? QString() : QStringLiteral(". ")) + shown->text();
    }
    if (verdict->accessibleName() != said) {
        setAccessibleText(verdict, said, QAccessible::NameChanged);
        if (!said.isEmpty()) {
            Accessibility::announce(verdict, QAccessible::Alert);
        }
    }
}

bool Form2::Form_KeyDown(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_Q && modifiers == Qt::ControlModifier) {
        Label1_Click();
        return true;
    }
    if (key == Qt::Key_N && modifiers == Qt::ControlModifier) {
        if (!isHeld(event))
            newContest();
        return true;
    }
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)
        return false;
    // A held key acts once: its repeats are taken and do nothing.
    const bool repeat = isHeld(event);
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!repeat && ui->soal->isEnabled())
            ui->soal->click();
        return true;
    }
    if (key == Qt::Key_F11 || key == Qt::Key_Escape) {
        if (!repeat)
            requestFullScreen(key == Qt::Key_F11 && !m_fullScreenWanted);
        return true;
    }
    // The digit's value, whichever digits the keyboard layout sends.
    const QString text = event->text();
    const int digit = text.size() == 1 && text.at(0).isDigit() ? text.at(0).digitValue() : -1;
    if (digit < 1 || digit > 4)
        return false;
    AnswerButton *button = buttonInSlot(digit);
    if (!repeat && button && button->isEnabled())
        button->click();
    return true;
}

bool Form2::isHeld(const QKeyEvent *event)
{
    const unsigned long at = event->timestamp();
    if (event->isAutoRepeat() && (!m_keyDownAt.contains(event->key()) || at - m_keyDownAt.value(event->key()) >= kAutoRepeatDelayMs))
        return true;
    m_keyDownAt.insert(event->key(), at);
    return false;
}

void Form2::requestFullScreen(bool fullScreen)
{
    m_fullScreenWanted = fullScreen;
    if (m_fullScreenSwitchPending)
        return;
    // Switched once the keys' delivery (through the view) is over.
    m_fullScreenSwitchPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_fullScreenSwitchPending = false;
            attempt([this] { setFullScreenView(m_fullScreenWanted); });
        },
        Qt::QueuedConnection);
}

void Form2::setFullScreenView(bool fullScreen)
{
    m_fullScreenWanted = fullScreen;
    if (fullScreen == (m_view && m_view->shownFullScreen()))
        return;
    if (fullScreen) {
        QScreen *onScreen = m_view ? m_view->screen() : screen();
        if (!m_view) {
            m_view = std::make_unique<ScaledView>(this);
            loadPictures();
        }
        m_view->showOn(onScreen);
        return;
    }
    m_view.reset();
    loadPictures();
    resize(m_designSize);
    Application::showCentred(this);
}

void Form2::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // A window made larger (maximised, or drawn out) shows its content
    // scaled, as full screen does, in a window of that size.
    const QSize size = event->size();
    if (m_view || !isVisible() || m_designSize.isEmpty() || (size.width() <= m_designSize.width() && size.height() <= m_designSize.height()))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_view || (width() <= m_designSize.width() && height() <= m_designSize.height()))
                return;
            const QRect area = geometry();
            const bool maximised = isMaximized();
            setWindowState(Qt::WindowNoState);
            resize(m_designSize);
            m_view = std::make_unique<ScaledView>(this);
            attempt([this] { loadPictures(); });
            m_view->setGeometry(area);
            if (maximised)
                m_view->showMaximized();
            else
                m_view->show();
        },
        Qt::QueuedConnection);
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && Form_KeyDown(static_cast<QKeyEvent *>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void Form2::keyPressEvent(QKeyEvent *event)
{
    if (!Form_KeyDown(event))
        QWidget::keyPressEvent(event);
}

void Form2::paintEvent(QPaintEvent *event)
{
    // The background picture at its own size at the top-left corner, cut at
    // the edges; the window colour shows where it does not reach.
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (m_backgroundFile.isEmpty()) {
        painter.drawPixmap(0, 0, m_background);
    } else {
        const QRect area = event->rect() & QRect(QPoint(0, 0), m_backgroundSize);
        for (int top = area.top(); top <= area.bottom(); top += kBackgroundBand) {
            const QRect band(area.left(), top, area.width(), std::min(kBackgroundBand, area.bottom() + 1 - top));
            painter.drawImage(band.topLeft(), Picture::part(m_backgroundFile, band, m_pictureScale));
        }
    }
    // Moved to a screen of another pixel ratio, the window decodes its
    // pictures again for it, once this paint is done.
    const auto stale = [this] { return !m_view && m_pictureScale > 0 && !qFuzzyCompare(m_pictureScale, devicePixelRatioF()); };
    if (stale()) {
        QMetaObject::invokeMethod(
            this,
            [this, stale] {
                if (stale())
                    attempt([this] { loadPictures(); });
            },
            Qt::QueuedConnection);
    }
}

void Form2::mouseMoveEvent(QMouseEvent *event)
{
    Form_MouseMove();
    event->accept();
}

void Form2::closeEvent(QCloseEvent *event)
{
    // The splash window stays loaded but hidden; closing the quiz window
    // ends the program rather than leaving an invisible process behind.
    event->accept();
    Label1_Click();
}
