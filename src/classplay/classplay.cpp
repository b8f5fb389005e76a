#include "classplay.h"

#include "clock.h"
#include "failure.h"
#include "random.h"
#include "regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 kMaxClassListBytes = 64 * 1024;
// The window a speedy answer is measured against when the question has no
// time of its own.
constexpr qint64 kSpeedWindowMs = 30000;

qint64 nowMs()
{
    return Clock::now().toMSecsSinceEpoch();
}

// A name as it is shown: one line, its spaces run together, no control or
// formatting character that could change how the names around it read, and
// at most kMaxNameLength characters.
QString cleanName(const QString &name)
{
    QString clean;
    for (const QChar c : name) {
        const auto category = c.category();
        if (category == QChar::Other_Control || category == QChar::Other_Format || category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
            clean += u' ';
        else
            clean += c;
    }
    clean = clean.simplified();
    if (clean.size() > ClassPlay::kMaxNameLength) {
        clean.truncate(ClassPlay::kMaxNameLength);
        // Never half of a surrogate pair.
        if (clean.back().isHighSurrogate())
            clean.chop(1);
        clean = clean.trimmed();
    }
    return clean;
}

ClassPlay::Joined refuse(ClassPlay::Join why)
{
    ClassPlay::Joined joined;
    joined.result = why;
    return joined;
}

} // namespace

ClassPlay::ClassPlay(const QString &folder, const ContestSettings &settings, const QStringList &classList)
    : m_folder(folder)
    , m_settings(settings)
    , m_classList(classList)
    , m_record(ContestRecord::open(folder))
{
    m_number = m_record.newClassPlay();
    m_code = QString::number(QRandomGenerator::system()->bounded(1000, 10000));
    m_time.setSingleShot(true);
    // A countdown on every screen: to the millisecond, not within 5 %.
    m_time.setTimerType(Qt::PreciseTimer);
    // The time is up: nobody's hand to catch a failure but ours.
    connect(&m_time, &QTimer::timeout, this, [this] {
        try {
            close();
        } catch (const Failure &failure) {
            emit failed(failure.message());
        }
    });
}

ClassPlay::~ClassPlay()
{
    try {
        finish(ContestRecord::Ending::Exit);
    } catch (...) {
        // The record cannot be written as the program ends: the contests
        // stay without an ending, as a killed game leaves them.
    }
}

QStringList ClassPlay::readClassList(const QString &folder)
{
    const QString path = QDir(folder).filePath(QString::fromLatin1(kClassListFile));
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return {};
    const QString text = QString::fromUtf8(RegularFile::read(path, QCoreApplication::translate("ClassPlay", "The class list"),
                                                             QCoreApplication::translate("ClassPlay", "Make it a text file of one name a line, or remove it to let pupils type their names."),
                                                             kMaxClassListBytes));
    QStringList names;
    QSet<QString> seen;
    for (const QString &line : text.split(u'\n')) {
        const QString name = cleanName(line);
        if (!name.isEmpty() && !seen.contains(name.toCaseFolded())) {
            seen.insert(name.toCaseFolded());
            names.append(name);
        }
    }
    return names;
}

int ClassPlay::seated() const
{
    return int(std::count_if(m_seats.begin(), m_seats.end(), [](const Seat &seat) { return !seat.removed; }));
}

QStringList ClassPlay::freeNames() const
{
    QStringList names;
    for (const QString &name : m_classList) {
        const bool taken = std::any_of(m_seats.begin(), m_seats.end(), [&](const Seat &seat) { return !seat.removed && seat.name == name; });
        if (!taken)
            names.append(name);
    }
    return names;
}

ClassPlay::Join ClassPlay::checkCode(const QString &code, const QString &from)
{
    Tries &tries = m_tries[from];
    const qint64 now = nowMs();
    if (now < tries.waitUntil)
        return Join::Slowed;
    if (code.trimmed() != m_code) {
        ++tries.wrong;
        if (tries.wrong >= kFreeTries)
            tries.waitUntil = now + std::min(kLongestWaitMs, kFirstWaitMs << std::min(tries.wrong - kFreeTries, 16));
        return Join::WrongCode;
    }
    m_tries.remove(from);
    return Join::Seated;
}

ClassPlay::Joined ClassPlay::join(const QString &code, const QString &name, const QString &from)
{
    if (const Join checked = checkCode(code, from); checked != Join::Seated)
        return refuse(checked);
    // After the last question closed there is nothing left to play.
    if (m_state == State::Over || (m_state == State::Closed && Contest::isLast(m_asked, m_settings)))
        return refuse(Join::Over);
    if (m_locked)
        return refuse(Join::Locked);
    if (seated() >= kMaxSeats)
        return refuse(Join::Full);
    const QString clean = cleanName(name);
    if (clean.isEmpty())
        return refuse(Join::NoName);
    if (!m_classList.isEmpty() && !m_classList.contains(clean))
        return refuse(Join::NotInClass);
    const bool taken = std::any_of(m_seats.begin(), m_seats.end(),
                                   [&](const Seat &seat) { return !seat.removed && seat.name.compare(clean, Qt::CaseInsensitive) == 0; });
    if (taken)
        return refuse(Join::NameTaken);

    Seat seat;
    seat.name = clean;
    std::array<quint32, 4> bits{};
    QRandomGenerator::system()->fillRange(bits.data(), bits.size());
    seat.token = QByteArray(reinterpret_cast<const char *>(bits.data()), sizeof bits).toHex();
    startContest(seat);
    // A pupil who comes in while a question is open may still answer it.
    if (m_state == State::Asking)
        recordQuestion(seat);
    m_seats.push_back(seat);
    const int index = int(m_seats.size()) - 1;
    m_tokens.insert(seat.token, index);
    emit changed();
    return {Join::Seated, index, seat.token};
}

int ClassPlay::seatOf(const QByteArray &token) const
{
    const int seat = m_tokens.value(token, -1);
    return seat >= 0 && !m_seats[size_t(seat)].removed ? seat : -1;
}

void ClassPlay::remove(int seat)
{
    if (seat < 0 || seat >= int(m_seats.size()) || m_seats[size_t(seat)].removed)
        return;
    Seat &removed = m_seats[size_t(seat)];
    m_record.endContest(removed.contest, ContestRecord::Ending::Exit, Clock::now());
    removed.removed = true;
    m_tokens.remove(removed.token);
    emit changed();
    if (m_state == State::Asking && everyoneAnswered())
        close();
}

void ClassPlay::setLocked(bool locked)
{
    m_locked = locked;
    emit changed();
}

void ClassPlay::startContest(Seat &seat)
{
    seat.contest = m_record.startContest(seat.name, m_settings.text(), Clock::now(), m_number);
}

void ClassPlay::recordQuestion(Seat &seat)
{
    ++seat.asked;
    seat.field = 0;
    seat.order = drawOrder();
    m_record.recordDraw(seat.contest, seat.asked, m_question.id, m_question.text, m_question.answers, Clock::now());
}

Contest::Draw ClassPlay::next()
{
    if (m_state == State::Asking || m_state == State::Over)
        return m_state == State::Over ? Contest::Draw::Exhausted : Contest::Draw::Drawn;
    if (m_asked > 0 && Contest::isLast(m_asked, m_settings)) {
        finish(ContestRecord::Ending::Completed);
        return Contest::Draw::Exhausted;
    }
    const std::optional<Contest::Question> question = Contest::pick(m_folder, m_settings, m_asked + 1);
    if (!question) {
        finish(ContestRecord::Ending::BankExhausted);
        return Contest::Draw::Exhausted;
    }
    // Marked used first: a draw that cannot be recorded skips a question,
    // never asks one twice.
    Contest::markUsed(m_folder, question->id);
    m_question = *question;
    // Recorded for every pupil before any device is told; nothing of it
    // stays when the record cannot take it.
    const std::vector<Seat> before = m_seats;
    try {
        m_record.batch([&] {
            for (Seat &seat : m_seats) {
                if (!seat.removed)
                    recordQuestion(seat);
            }
        });
    } catch (...) {
        m_seats = before;
        throw;
    }
    m_hostOrder = drawOrder();
    ++m_asked;
    m_state = State::Asking;
    m_shown.start();
    if (m_settings.time > 0)
        m_time.start(m_settings.time * 1000);
    emit changed();
    return Contest::Draw::Drawn;
}

std::array<int, 4> ClassPlay::fieldsFor(int seat) const
{
    return seat >= 0 && seat < int(m_seats.size()) ? m_seats[size_t(seat)].order : std::array<int, 4>{1, 2, 3, 4};
}

std::array<int, 4> ClassPlay::drawOrder()
{
    std::array<int, 4> order{1, 2, 3, 4};
    Random::reseedFromClock();
    for (int i = 3; i > 0; --i) {
        const int j = std::clamp(int(std::floor(float(i + 1) * Random::next())), 0, i);
        std::swap(order[size_t(i)], order[size_t(j)]);
    }
    return order;
}

ClassPlay::Answer ClassPlay::take(int seat, int slot)
{
    if (seat < 0 || seat >= int(m_seats.size()) || m_seats[size_t(seat)].removed)
        return Answer::NoSeat;
    Seat &pupil = m_seats[size_t(seat)];
    if (m_state != State::Asking || slot < 1 || slot > 4 || pupil.asked == 0)
        return Answer::NotAsking;
    if (pupil.field != 0)
        return Answer::Already;
    const int field = fieldsFor(seat)[size_t(slot - 1)];
    const bool correct = Contest::judge(field);
    const qint64 milliseconds = m_shown.elapsed();
    m_record.recordAnswer(pupil.contest, pupil.asked, field, slot, correct, milliseconds);
    pupil.field = field;
    if (correct) {
        ++pupil.correct;
        pupil.points += pointsFor(milliseconds);
    }
    return Answer::Received;
}

ClassPlay::Answer ClassPlay::answer(int seat, int slot)
{
    return answerAll({{seat, slot}}).front();
}

std::vector<ClassPlay::Answer> ClassPlay::answerAll(const std::vector<std::pair<int, int>> &answers)
{
    std::vector<Answer> results;
    // Taken again whole if the write fails: nothing counts that was not
    // written.
    const std::vector<Seat> before = m_seats;
    try {
        m_record.batch([&] {
            for (const auto &[seat, slot] : answers)
                results.push_back(take(seat, slot));
        });
    } catch (...) {
        m_seats = before;
        throw;
    }
    emit changed();
    if (m_state == State::Asking && everyoneAnswered())
        close();
    return results;
}

bool ClassPlay::everyoneAnswered() const
{
    return seated() > 0 && std::all_of(m_seats.begin(), m_seats.end(), [](const Seat &seat) { return seat.removed || seat.field != 0; });
}

int ClassPlay::answeredCount() const
{
    return int(std::count_if(m_seats.begin(), m_seats.end(), [](const Seat &seat) { return !seat.removed && seat.field != 0; }));
}

std::array<int, 4> ClassPlay::tally() const
{
    std::array<int, 4> counts{};
    for (const Seat &seat : m_seats) {
        if (!seat.removed && seat.field >= 1 && seat.field <= 4)
            ++counts[size_t(seat.field - 1)];
    }
    return counts;
}

qint64 ClassPlay::remainingMs() const
{
    return m_state == State::Asking && m_time.isActive() ? m_time.remainingTime() : -1;
}

int ClassPlay::pointsFor(qint64 milliseconds) const
{
    if (!m_settings.speed)
        return 1;
    const qint64 window = m_settings.time > 0 ? m_settings.time * 1000LL : kSpeedWindowMs;
    return 500 + int(500 * std::max<qint64>(0, window - milliseconds) / window);
}

void ClassPlay::close()
{
    if (m_state != State::Asking)
        return;
    m_time.stop();
    // The last question's verdicts complete every pupil's contest: written
    // before it closes, so that a failure leaves it open, to close again.
    if (Contest::isLast(m_asked, m_settings)) {
        const QDateTime at = Clock::now();
        m_record.batch([&] {
            for (const Seat &seat : m_seats) {
                if (!seat.removed)
                    m_record.endContest(seat.contest, ContestRecord::Ending::Completed, at);
            }
        });
    }
    m_state = State::Closed;
    emit changed();
}

void ClassPlay::end()
{
    close();
    finish(m_asked > 0 && Contest::isLast(m_asked, m_settings) ? ContestRecord::Ending::Completed : ContestRecord::Ending::Exit);
}

void ClassPlay::finish(ContestRecord::Ending ending)
{
    if (m_state == State::Over)
        return;
    m_time.stop();
    m_state = State::Over;
    const QDateTime at = Clock::now();
    // A contest that ended keeps its ending.
    m_record.batch([&] {
        for (const Seat &seat : m_seats) {
            if (!seat.removed)
                m_record.endContest(seat.contest, ending, at);
        }
    });
    emit changed();
}

std::vector<int> ClassPlay::podium() const
{
    std::vector<int> best;
    for (int i = 0; i < int(m_seats.size()); ++i) {
        if (!m_seats[size_t(i)].removed && m_seats[size_t(i)].correct > 0)
            best.push_back(i);
    }
    std::stable_sort(best.begin(), best.end(), [&](int a, int b) {
        const Seat &x = m_seats[size_t(a)], &y = m_seats[size_t(b)];
        return std::pair(x.points, x.correct) > std::pair(y.points, y.correct);
    });
    best.resize(std::min<size_t>(best.size(), 3));
    return best;
}
