#include "classwindow.h"

#include "ui_classhost.h"

#include "application.h"
#include "contestfolder.h"
#include "fonts.h"
#include "messagebox.h"
#include "picture.h"
#include "qrcode.h"
#include "scaledview.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLocale>

namespace {

const QString kTitle = QStringLiteral("لعب الصف");

QString arabicNumber(qint64 n)
{
    return QLocale(QLocale::Arabic, QLocale::Egypt).toString(n);
}

} // namespace

ClassWindow::ClassWindow(ClassPlay &play, const QString &address, QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::ClassWindow>())
    , m_play(play)
{
    ui->setupUi(this);
    Fonts::useReplacements(this);
    setFocusPolicy(Qt::StrongFocus);
    ui->address->setText(address);
    ui->lobbyAddress->setText(address);
    const QImage qr = QrCode::image(address);
    if (!qr.isNull()) {
        // Whole pixels a module, never smoothed, so that every phone reads it.
        ui->qr->setPixmap(QPixmap::fromImage(qr.scaled(qr.size() * (170 / qr.width()), Qt::KeepAspectRatio, Qt::FastTransformation)));
        ui->lobbyQr->setPixmap(QPixmap::fromImage(qr.scaled(qr.size() * (300 / qr.width()), Qt::KeepAspectRatio, Qt::FastTransformation)));
    }
    const QString room = QStringLiteral("رمز الغرفة: %1").arg(play.code());
    ui->room->setText(room);
    ui->lobbyRoom->setText(room);
    ui->lobbyAddress->setAccessibleName(address);
    connect(ui->next, &QPushButton::clicked, this, &ClassWindow::step);
    connect(ui->lock, &QPushButton::toggled, this, [this](bool locked) { attempt([&] { m_play.setLocked(locked); }); });
    connect(ui->removePupil, &QPushButton::clicked, this, &ClassWindow::removeSelected);
    connect(ui->endPlay, &QPushButton::clicked, this, &ClassWindow::endPlay);
    connect(&m_play, &ClassPlay::changed, this, &ClassWindow::showState);
    connect(&m_clock, &QTimer::timeout, this, &ClassWindow::showTime);
    m_clock.setInterval(250);
    showState();
}

ClassWindow::~ClassWindow() = default;

bool ClassWindow::attempt(const std::function<void()> &work)
{
    return MessageBox::attempt(work, kTitle);
}

void ClassWindow::report(const QString &message)
{
    MessageBox::warning(message, kTitle);
}

void ClassWindow::step()
{
    attempt([this] {
        if (m_play.state() == ClassPlay::State::Asking)
            m_play.close();
        else if (m_play.state() != ClassPlay::State::Over)
            m_play.next();
    });
}

void ClassWindow::showState()
{
    const ClassPlay::State state = m_play.state();
    ui->seated->setText(QStringLiteral("في الغرفة: %1").arg(arabicNumber(m_play.seated())));
    // The names as text, one a row; the selection kept by seat.
    const int selected = ui->pupils->currentItem() ? ui->pupils->currentItem()->data(Qt::UserRole).toInt() : -1;
    ui->pupils->clear();
    for (int i = 0; i < int(m_play.seats().size()); ++i) {
        const ClassPlay::Seat &seat = m_play.seats()[size_t(i)];
        if (seat.removed)
            continue;
        auto *item = new QListWidgetItem(seat.name, ui->pupils);
        item->setData(Qt::UserRole, i);
        if (i == selected)
            ui->pupils->setCurrentItem(item);
    }
    ui->lock->setChecked(m_play.locked());
    ui->lock->setText(m_play.locked() ? QStringLiteral("فتح الغرفة") : QStringLiteral("قفل الغرفة"));
    ui->next->setText(state == ClassPlay::State::Asking ? QStringLiteral("إغلاق السؤال") : QStringLiteral("سؤال"));
    ui->next->setEnabled(state != ClassPlay::State::Over);
    switch (state) {
    case ClassPlay::State::Gathering:
        ui->pages->setCurrentWidget(ui->lobbyPage);
        break;
    case ClassPlay::State::Asking:
    case ClassPlay::State::Closed:
        showQuestion();
        break;
    case ClassPlay::State::Over: {
        ui->pages->setCurrentWidget(ui->endPage);
        ui->endText->setText(Contest::overText());
        QStringList lines;
        if (m_play.settings().podium) {
            int place = 0;
            for (const int seat : m_play.podium()) {
                const ClassPlay::Seat &pupil = m_play.seats()[size_t(seat)];
                QString line = QStringLiteral("%1. %2 — %3").arg(arabicNumber(++place), pupil.name, Contest::scoreText(pupil.correct, pupil.asked));
                if (m_play.settings().speed)
                    line += QStringLiteral(" (%1 نقطة)").arg(arabicNumber(pupil.points));
                lines.append(line);
            }
        }
        ui->podium->setText(lines.join(u'\n'));
        break;
    }
    }
    showTime();
}

void ClassWindow::showQuestion()
{
    ui->pages->setCurrentWidget(ui->questionPage);
    const Contest::Question &question = m_play.question();
    if (m_shownQuestion != m_play.asked()) {
        m_shownQuestion = m_play.asked();
        ui->picture->clear();
        ui->picture->setAccessibleName(question.text);
        attempt([&] {
            QPixmap picture = Picture::load(ContestFolder::questionPicture(m_play.folder(), question.id));
            // One and a half times the game's size: the host screen has
            // the room.
            picture.setDevicePixelRatio(picture.devicePixelRatio() / 1.5);
            ui->picture->setPixmap(picture);
        });
        for (int slot = 1; slot <= 4; ++slot) {
            auto *button = findChild<AnswerButton *>(QStringLiteral("answer%1").arg(slot));
            button->setText(question.answers[size_t(m_play.hostOrder()[size_t(slot - 1)] - 1)]);
            button->setAccessibleName(button->text());
            button->setBackColor(QColor(0xFF, 0xFF, 0xC0));
        }
    }
    const bool closed = m_play.state() == ClassPlay::State::Closed;
    ui->count->setText(QStringLiteral("السؤال %1 — أجاب %2").arg(Contest::scoreText(m_play.asked(), m_play.settings().length),
                                                                  Contest::scoreText(m_play.answeredCount(), m_play.seated())));
    ui->answerPages->setCurrentWidget(closed ? static_cast<QWidget *>(ui->chart) : ui->answersPage);
    if (closed) {
        const std::array<int, 4> tally = m_play.tally();
        std::array<AnswerChart::Bar, 4> bars;
        for (size_t i = 0; i < 4; ++i) {
            const int field = m_play.hostOrder()[i];
            bars[i] = {question.answers[size_t(field - 1)], tally[size_t(field - 1)], Contest::judge(field)};
        }
        ui->chart->setBars(bars);
    }
}

void ClassWindow::showTime()
{
    const qint64 left = m_play.remainingMs();
    ui->time->setVisible(left >= 0);
    if (left >= 0) {
        ui->time->setText(QStringLiteral("%1 ث").arg(arabicNumber((left + 999) / 1000)));
        if (!m_clock.isActive())
            m_clock.start();
    } else {
        m_clock.stop();
    }
}

void ClassWindow::removeSelected()
{
    if (!ui->pupils->currentItem())
        return;
    const int seat = ui->pupils->currentItem()->data(Qt::UserRole).toInt();
    const QString name = m_play.seats()[size_t(seat)].name;
    if (MessageBox::ask(QStringLiteral("إخراج %1 من الغرفة؟").arg(name), kTitle))
        attempt([&] { m_play.remove(seat); });
}

void ClassWindow::endPlay()
{
    if (m_play.state() == ClassPlay::State::Over) {
        close();
        return;
    }
    if (MessageBox::ask(QStringLiteral("هل تريد إنهاء لعب الصف؟"), kTitle))
        attempt([this] { m_play.end(); });
}

void ClassWindow::setFullScreen(bool fullScreen)
{
    if (fullScreen == bool(m_view))
        return;
    if (fullScreen) {
        QScreen *onScreen = screen();
        m_view = std::make_unique<ScaledView>(this);
        m_view->showOn(onScreen);
        return;
    }
    m_view.reset();
    Application::showCentred(this);
}

void ClassWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        step();
        return;
    case Qt::Key_F11:
        setFullScreen(!m_view);
        return;
    case Qt::Key_Escape:
        setFullScreen(false);
        return;
    case Qt::Key_Delete:
        removeSelected();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ClassWindow::closeEvent(QCloseEvent *event)
{
    if (m_play.state() != ClassPlay::State::Over && m_play.seated() > 0 && !MessageBox::ask(QStringLiteral("هل تريد إنهاء لعب الصف؟"), kTitle)) {
        event->ignore();
        return;
    }
    m_view.reset();
    event->accept();
    QCoreApplication::quit();
}
