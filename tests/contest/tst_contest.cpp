#include "contest.h"
#include "random.h"
#include "testfolder.h"
#include "testhelpers.h"
#include "testmain.h"

#include <QSignalSpy>

namespace {

using State = Contest::State;

// The record's endings and answers as stored: "ending|field,slot,right ...".
QString recorded(const TestFolder &folder)
{
    const QString record = folder.path() + QStringLiteral("/results.sqlite");
    QStringList contests;
    for (const QVariant &ending : TestFolder::query(record, QStringLiteral("select ifnull(ending, '') from contest order by number")))
        contests << ending.toString();
    QStringList answers;
    for (const QVariant &answer : TestFolder::query(record, QStringLiteral("select chosen || ',' || slot || ',' || correct from asked where chosen is not null order by contest, position")))
        answers << answer.toString();
    return contests.join(u' ') + u'|' + answers.join(u' ');
}

} // namespace

// The rules of one contest, without a window: what the quiz window and the
// class's host screen show is what these give.
class TestContest : public QObject {
    Q_OBJECT
private slots:
    void init() { Random::clearQueuedValues(); }

    void arrangementsPlaceEveryFieldOnce()
    {
        TestFolder folder;
        folder.prepareContest(5);
        Contest contest(folder.path(), {});
        for (int k = 0; k < 4; ++k) {
            Random::queueValues({(k + 0.5f) / 4.0f});
            contest.shuffle();
            QCOMPARE(contest.arrangement(), k);
            for (int slot = 1; slot <= 4; ++slot) {
                QCOMPARE(contest.fieldInSlot(slot), Contest::kArrangements[size_t(k)][size_t(slot - 1)]);
                QCOMPARE(contest.slotOf(contest.fieldInSlot(slot)), slot);
            }
        }
    }

    void roundsFollowTheirStates_data()
    {
        // The settings, the fields answered in turn (round n draws question
        // 3n at random, and is shuffled into arrangement 2, which puts fields
        // 3 2 1 4 in slots 1..4); after the last round: the state, right,
        // wrong, and the record (field, slot, right).
        addColumns<QString, QList<int>, State, int, int, QString>("setting", "fields", "state", "right", "wrong", "record");
        QTest::newRow("as designed: a round of each") << "" << QList<int>{1, 3} << State::Waiting << 1 << 1 << "|a1,3,1 a3,1,0";
        QTest::newRow("length 2: over after the second") << "length=2" << QList<int>{2, 1} << State::Over << 1 << 1 << "completed|a2,2,0 a1,3,1";
        QTest::newRow("fixed order") << "order=fixed" << QList<int>{4} << State::Waiting << 0 << 1 << "|a4,4,0";
    }
    void roundsFollowTheirStates()
    {
        auto [setting, fields, state, right, wrong, record] = fetchRow<QString, QList<int>, State, int, int, QString>("setting", "fields", "state", "right", "wrong", "record");
        TestFolder folder;
        folder.prepareContest(30);
        writeFile(folder.path() + QStringLiteral("/contest.ini"), setting.toUtf8());
        Contest contest(folder.path(), ContestSettings::load(folder.path()));
        QSignalSpy changes(&contest, &Contest::changed);
        contest.begin(QStringLiteral("ليلى"));
        QList<int> drawn;
        for (int round = 1; round <= fields.size(); ++round) {
            QCOMPARE(contest.state(), State::Waiting);
            const bool fixed = setting == QLatin1String("order=fixed");
            Random::queueValues(fixed ? std::deque<float>{0.6f} : std::deque<float>{(3.0f * float(round) + 0.5f) / 31.0f, 0.6f});
            QCOMPARE(contest.draw(), Contest::Draw::Drawn);
            // Drawn and recorded, not yet counted or marked: shown first.
            QCOMPARE(contest.asked(), round - 1);
            contest.shown();
            drawn << int(contest.question().id);
            QCOMPARE(contest.state(), State::Answering);
            QCOMPARE(contest.question().answers[0], QStringLiteral("q%1a1").arg(drawn.last()));
            QVERIFY(contest.underWay());
            contest.shuffle();
            const bool correct = contest.answer(fields[round - 1]);
            QCOMPARE(correct, fields[round - 1] == 1);
            QCOMPARE(contest.state(), State::RoundEnding);
            contest.endRound();
            QCOMPARE(contest.score(), contest.correct());
        }
        QCOMPARE(contest.state(), state);
        QCOMPARE(contest.correct() * 10 + contest.wrong(), right * 10 + wrong);
        QCOMPARE(contest.asked(), int(fields.size()));
        QCOMPARE(folder.usedIds().size(), fields.size());
        QCOMPARE(drawn.first(), setting == QLatin1String("order=fixed") ? 1 : 3);
        QCOMPARE(contest.underWay(), state != State::Over);
        QCOMPARE(recorded(folder), record);
        QVERIFY(changes.size() >= 1 + 4 * int(fields.size()));
    }

    void aQuestionNotShownIsNeitherCountedNorMarked()
    {
        TestFolder folder;
        folder.prepareContest(5, {1, 2, 4, 5});
        Contest contest(folder.path(), {});
        contest.begin(QString());
        QCOMPARE(contest.draw(), Contest::Draw::Drawn);
        QCOMPARE(contest.question().id, 3);
        QCOMPARE(contest.asked(), 0);
        QCOMPARE(folder.usedIds(), (QList<int>{1, 2, 4, 5}));
        QCOMPARE(contest.state(), State::Waiting);
    }

    void settingsShapeTheRound_data()
    {
        addColumns<QString, int, bool, bool>("setting", "field", "revealing", "holding");
        QTest::newRow("as designed") << "" << 2 << false << false;
        QTest::newRow("reveal after a wrong answer") << "reveal=true" << 2 << true << false;
        QTest::newRow("reveal: not after a right one") << "reveal=true" << 1 << false << false;
        QTest::newRow("hold") << "hold=true" << 3 << false << true;
    }
    void settingsShapeTheRound()
    {
        auto [setting, field, revealing, holding] = fetchRow<QString, int, bool, bool>("setting", "field", "revealing", "holding");
        TestFolder folder;
        folder.prepareContest(30);
        writeFile(folder.path() + QStringLiteral("/contest.ini"), setting.toUtf8());
        Contest contest(folder.path(), ContestSettings::load(folder.path()));
        contest.begin(QString());
        contest.draw();
        contest.shown();
        contest.answer(field);
        QCOMPARE(contest.revealing(), revealing);
        QCOMPARE(contest.holding(), holding);
        contest.endRound();
        QVERIFY(!contest.revealing() && !contest.holding());
    }

    void aBankRunOutEndsTheContest()
    {
        TestFolder folder;
        folder.prepareContest(2);
        Contest contest(folder.path(), {});
        contest.begin(QString());
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(contest.draw(), Contest::Draw::Drawn);
            contest.shown();
            contest.answer(1);
            contest.endRound();
        }
        QVERIFY(contest.underWay());
        QCOMPARE(contest.draw(), Contest::Draw::Exhausted);
        QCOMPARE(contest.state(), State::Over);
        QVERIFY(!contest.underWay());
        QCOMPARE(recorded(folder), QStringLiteral("bank exhausted|a1,1,1 a1,1,1"));
        // The next player's contest: every mark cleared, the counters at 0.
        contest.renew();
        contest.begin(QString());
        QVERIFY(folder.usedIds().isEmpty() && contest.asked() == 0 && contest.state() == State::Waiting);
        QCOMPARE(contest.draw(), Contest::Draw::Drawn);
    }
};

MC_TEST_MAIN(TestContest)
#include "tst_contest.moc"
