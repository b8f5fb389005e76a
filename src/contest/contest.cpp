#include "contest.h"

#include "questionbank.h"
#include "random.h"

#include <algorithm>
#include <cmath>

#include <QLocale>

ContestSettings Contest::prepare(const QString &folder, const ContestSettings::Overrides &overrides)
{
    QuestionBank bank = QuestionBank::openBank(folder);
    const qint64 n = bank.countQuestions();
    bank.checkStructure(n);
    bank.checkIntegrity();
    // Nothing is played on settings that cannot be.
    ContestSettings settings = ContestSettings::load(folder);
    overrides.applyTo(settings);
    settings.check(n, overrides.length ? QStringLiteral("--length") : ContestSettings::filePath(folder));
    bank.clearUsedMarks(n);
    return settings;
}

Contest::Contest(const QString &folder, const ContestSettings &settings)
    : m_folder(folder)
    , m_session(folder, settings)
{
}

bool Contest::underWay() const
{
    const bool lastAnswered = m_asked >= settings().length && m_state != State::Answering;
    return m_begun && m_asked > 0 && !lastAnswered && m_state != State::Over;
}

int Contest::fieldInSlot(int slot) const
{
    return kArrangements[size_t(m_arrangement)][size_t(std::clamp(slot, 1, 4) - 1)];
}

int Contest::slotOf(int field) const
{
    const auto &arrangement = kArrangements[size_t(m_arrangement)];
    return int(std::find(arrangement.begin(), arrangement.end(), field) - arrangement.begin()) + 1;
}

void Contest::begin(const QString &player)
{
    m_session.begin(player);
    m_player = player;
    m_begun = true;
    emit changed();
}

std::optional<Contest::Question> Contest::pick(const QString &folder, const ContestSettings &settings, int next)
{
    QuestionBank bank = QuestionBank::openBank(folder);
    const qint64 questions = bank.countQuestions();
    // A bank changed while the contest runs (a mark that is neither used nor
    // unused) is reported, never drawn from without end.
    bank.checkMarks();
    // Every question used: the one condition the draw reports itself. (More
    // used than there are cannot happen in a checked bank; it must not send
    // the draw below looking for a question that is not there.) In fixed
    // order the contest asks questions 1, 2, 3 ... in turn.
    const bool fixed = settings.order == ContestSettings::Order::Fixed;
    auto exhausted = [&] { return bank.countUsedQuestions() >= questions || (fixed && next > questions); };
    if (exhausted())
        return std::nullopt;

    // Every attempt reseeds and takes one value; 0 and used numbers are
    // drawn again. Now and then the bank is asked again, so that one changed
    // under the draw cannot keep it looking for a question that is gone.
    QuestionRecord record;
    if (fixed)
        record = bank.openQuestion(next);
    for (qint64 attempt = 1; !record.isOpen(); ++attempt) {
        if (attempt % kDrawsBetweenChecks == 0) {
            bank.checkMarks();
            if (exhausted())
                return std::nullopt;
        }
        Random::reseedFromClock();
        const float r = Random::next();
        const auto n = static_cast<qint64>(std::floor(static_cast<double>(questions + 1) * static_cast<double>(r)));
        if (n < 1 || n > questions)
            continue;
        record = bank.openQuestion(n);
        if (record.used()) {
            bank.releaseQuestion(record);
            continue;
        }
        break;
    }

    Question question;
    question.id = record.id();
    question.text = bank.questionText(question.id);
    question.answers = {record.answer(1), record.answer(2), record.answer(3), record.answer(4)};
    bank.releaseQuestion(record);
    return question;
}

void Contest::markUsed(const QString &folder, qint64 id)
{
    QuestionBank bank = QuestionBank::openBank(folder);
    QuestionRecord record = bank.openQuestion(id);
    bank.markQuestionUsed(record);
}

int Contest::drawArrangement()
{
    Random::reseedFromClock();
    const float r = Random::next();
    return std::clamp(static_cast<int>(std::floor(4.0 * static_cast<double>(r))), 0, 3);
}

QString Contest::verdict(bool correct)
{
    return correct ? QStringLiteral("الاجابة صحيحة") : QStringLiteral("الاجابة خاطئة");
}

QString Contest::overText()
{
    return QStringLiteral("انتهت المسابقة");
}

QString Contest::scoreText(int correct, int asked)
{
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
    return QStringLiteral("%1 من %2").arg(arabic.toString(correct), arabic.toString(asked));
}

Contest::Draw Contest::draw()
{
    m_question = {};
    m_answered = 0;
    const std::optional<Question> question = pick(m_folder, settings(), m_asked + 1);
    if (!question) {
        over(ContestRecord::Ending::BankExhausted);
        return Draw::Exhausted;
    }
    m_question = *question;
    // Recorded before the question is on the screen or read out.
    m_session.drawn(m_question.id, m_question.text, m_question.answers);
    return Draw::Drawn;
}

void Contest::shown()
{
    m_state = State::Answering;
    ++m_asked;
    markUsed(m_folder, m_question.id);
    emit changed();
}

void Contest::shuffle()
{
    m_arrangement = drawArrangement();
    emit changed();
}

bool Contest::answer(int field)
{
    const bool correct = judge(field);
    m_answered = field;
    // Recorded before the verdict is shown: the field, and where it stood.
    m_session.answered(field, slotOf(field));
    // The last answer completes the contest, whatever comes before the round
    // ends (Ctrl+N, the exit, a held verdict, a kill).
    if (m_asked >= settings().length)
        m_session.ended(ContestRecord::Ending::Completed);
    ++(correct ? m_correct : m_wrong);
    m_revealing = !correct && settings().reveal;
    m_holding = settings().hold;
    m_state = State::RoundEnding;
    emit changed();
    return correct;
}

void Contest::endRound()
{
    m_holding = false;
    m_revealing = false;
    m_question = {};
    m_score = m_correct;
    m_state = State::Waiting;
    if (isLast(m_asked, settings()))
        over(ContestRecord::Ending::Completed);
    emit changed();
}

void Contest::over(ContestRecord::Ending ending)
{
    m_session.ended(ending);
    m_state = State::Over;
    emit changed();
}

void Contest::renew()
{
    // A contest that already ended keeps its ending.
    m_session.ended(ContestRecord::Ending::NewContest);
    {
        QuestionBank bank = QuestionBank::openBank(m_folder);
        bank.clearUsedMarks(bank.countQuestions());
    }
    m_state = State::Waiting;
    m_begun = false;
    m_asked = m_correct = m_wrong = m_score = 0;
    m_player.clear();
    m_question = {};
    m_answered = 0;
    m_arrangement = 0;
    m_holding = m_revealing = false;
    emit changed();
}

void Contest::leave()
{
    m_session.ended(ContestRecord::Ending::Exit);
}
