#include "form1.h"

#include "contest.h"

#include "accessimport.h"
#include "application.h"
#include "fonts.h"
#include "form2.h"
#include "contestfolder.h"
#include "questionbank.h"
#include "ui_splash.h"

#include <QDir>
#include <QTimer>

Form1::Form1(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , ui(std::make_unique<Ui::Form1>())
    , Timer1(new QTimer(this))
{
    ui->setupUi(this);
    Fonts::useReplacements(this);
    setFixedSize(size());
    // The title label takes the size of its caption and stays centred.
    ui->Label1->adjustSize();
    ui->Label1->move((width() - ui->Label1->width()) / 2, ui->Label1->y());

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTimer1IntervalMs);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    // The interval counts from the window's creation, before its load.
    Timer1->start();
}

Form1::~Form1() = default;

void Form1::Form_Load()
{
    // A contest folder brought with its Access bank gets the game's bank made
    // from it first, and again whenever the Access file changes; the Access
    // file is never written.
    AccessImport::importIfChanged(ContestFolder::path());
    // The bank is there and is one; what takes time in proportion to its
    // size is done once the splash is on the screen (prepareBank).
    QuestionBank::openBank(ContestFolder::path());
}

void Form1::prepareBank()
{
    if (m_bankReady)
        return;
    m_settings = Contest::prepare(ContestFolder::path(), m_overrides);
    m_bankReady = true;
}

void Form1::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // Once, as soon as this first paint is done, and before the hand-over
    // to the quiz window: a damaged bank is refused there.
    if (!m_prepareScheduled) {
        m_prepareScheduled = true;
        QTimer::singleShot(0, this, &Form1::prepareBank);
    }
}

void Form1::Timer1_Timer()
{
    // Once: the hand-over may wait for the player's name.
    Timer1->stop();
    // Done already unless the splash never painted (a hidden screen): the
    // quiz window never opens on a bank that was not checked and swept.
    prepareBank();
    hide();
    // Hidden, the splash keeps no surface on the screen: it stays loaded,
    // and a window of its own is made again were it shown again.
    destroy();
    if (!m_form2) {
        // Kept only once loaded: a load that fails leaves no half-made window.
        auto quiz = std::make_unique<Form2>();
        quiz->setSettings(m_settings);
        quiz->Form_Load();
        m_form2 = std::move(quiz);
    }
    if (m_quizFullScreen)
        m_form2->setFullScreenView(true);
    else
        Application::showCentred(m_form2.get());
}
