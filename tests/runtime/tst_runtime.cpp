#include "answerbutton.h"
#include "contestfolder.h"
#include "failure.h"
#include "programlock.h"
#include "random.h"
#include "sqliteconnection.h"
#include "translation.h"
#include "testhelpers.h"
#include "testmain.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
#include <QMessageBox>
#include <QSet>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <QPainterPath>

#include <cmath>
#include <optional>

class TestRuntime : public QObject {
    Q_OBJECT
private slots:
    void init() { Random::setClock({}); }

    // A caption on an answer button of the quiz window's size and font, as
    // laid out: a fraction's digits at least 70 % of the font, stacked
    // where that fits and set in the line where it does not, Eastern digits
    // as tall as Western ones, and a caption without notation left to the
    // plain text layout.
    void answerCaptionsStayLegible_data()
    {
        // A caption in a line: its characters from left to right, where the
        // brackets are the font's.
        addColumns<QString, QString, bool, QString>("caption", "stackedOrLinear", "notation", "line");
        QTest::newRow("a fraction") << "7/8" << "stacked" << true << "";
        QTest::newRow("a mixed number") << "3 3/4" << "stacked" << true << "";
        QTest::newRow("Eastern digits") << "٣/٤" << "stacked" << true << "";
        QTest::newRow("Eastern mixed number") << "٣ ٣/٤" << "stacked" << true << "";
        QTest::newRow("a mixed number in a line") << "2 1/2 + (1/2)/(3/4)" << "linear" << true << "21/2+(1/2)/(3/4)";
        QTest::newRow("a group over a number") << "(x + 1)/3" << "stacked" << true << "";
        QTest::newRow("a fraction over a fraction") << "(1/2)/(3/4)" << "linear" << true << "(1/2)/(3/4)";
        QTest::newRow("a product over a sum") << "(2ab)/(a + b)/2" << "linear" << true << "(2ab/(a+b))/2";
        QTest::newRow("the quadratic formula") << "(-b ± √(b^2 - 4ac))/(2a)" << "linear" << true << "";
        QTest::newRow("a root over a power") << "√(x^2 + 1)/(x^2)" << "linear" << true << "";
        QTest::newRow("a power") << "x^2 + 1" << "stacked" << true << "";
        QTest::newRow("a negative number") << "-9" << "" << false << "";
        QTest::newRow("a word") << "لا شيء مما سبق" << "" << false << "";
    }
    void answerCaptionsStayLegible()
    {
        auto [caption, form, notation, line] = fetchRow<QString, QString, bool, QString>("caption", "stackedOrLinear", "notation", "line");
        // The design's font, and the Arabic font the game puts behind it.
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(20.25);
        font.setBold(true);
        // The face of a 649 x 41 button, inside its margins.
        const QSizeF face(649 - 8, 41 - 6);
        const std::optional<MathParagraph> laid = AnswerButton::notationCaption(caption, font, face);
        QCOMPARE(laid.has_value(), notation);
        if (!notation)
            return;
        QVERIFY2(laid->fits() && laid->boundingRect().height() <= face.height(), "fitted to the button");
        // The digits' sizes; exponents are the only ones meant to be smaller
        // than a fraction's (0.62 of their base, against 0.8).
        qreal largest = 0;
        std::vector<std::pair<qreal, qreal>> digits; // size, the ink's height
        bool slash = false;
        for (const MathPiece &piece : laid->pieces()) {
            slash = slash || piece.text == u'/';
            if (piece.kind != MathPiece::Kind::Text || !std::any_of(piece.text.begin(), piece.text.end(), [](QChar c) { return c.isDigit(); }))
                continue;
            digits.emplace_back(piece.font.pointSizeF(), QFontMetricsF(piece.font).tightBoundingRect(piece.text).height());
            largest = std::max(largest, piece.font.pointSizeF());
        }
        for (const auto &[size, ink] : digits) {
            if (size >= largest * 0.75)
                QVERIFY2(size >= font.pointSizeF() * AnswerButton::kSmallestDigits - 0.01, qPrintable(QString::number(size / font.pointSizeF())));
        }
        QCOMPARE(slash ? QStringLiteral("linear") : QStringLiteral("stacked"), form);
        if (!line.isEmpty()) {
            std::vector<MathPiece> pieces = laid->pieces();
            std::sort(pieces.begin(), pieces.end(), [](const MathPiece &a, const MathPiece &b) { return a.at.x() < b.at.x(); });
            QString shown;
            for (const MathPiece &piece : pieces)
                shown += piece.kind == MathPiece::Kind::Text ? piece.text.trimmed() : QStringLiteral("•");
            QCOMPARE(shown, line);
        }
        // Eastern digits as tall on the button as the Western ones of the same
        // caption, measured as drawn (through the fonts behind the button's).
        if (caption.contains(u'٣')) {
            const auto tallest = [&](const QString &text) {
                qreal most = 0;
                const std::optional<MathParagraph> laidOut = AnswerButton::notationCaption(text, font, face);
                for (const MathPiece &piece : laidOut->pieces()) {
                    QPainterPath ink;
                    ink.addText(0, 0, piece.font, piece.text);
                    most = std::max(most, piece.kind == MathPiece::Kind::Text ? ink.boundingRect().height() : 0.0);
                }
                return most;
            };
            QString western = caption;
            western.replace(u'٣', u'3').replace(u'٤', u'4');
            QVERIFY2(tallest(caption) >= tallest(western) * 0.9, qPrintable(QStringLiteral("%1 %2").arg(tallest(caption)).arg(tallest(western))));
        }
    }

    void randomDrawsAreEvenAndNeverReplay()
    {
        // Each arrangement about a quarter of the time, and no value twice
        // when the clock reads the same at every reseed.
        int counts[4] = {0, 0, 0, 0};
        QSet<float> seen;
        for (int i = 0; i < 40000; ++i) {
            if (i == 39000)
                Random::setClock([] { return std::int64_t{1234567890}; });
            Random::reseedFromClock();
            const float r = Random::next();
            QVERIFY(r >= 0.0f && r < 1.0f);
            ++counts[static_cast<int>(std::floor(4.0f * r))];
            seen.insert(i >= 39000 ? r : -1.0f);
        }
        for (int k = 0; k < 4; ++k)
            QVERIFY2(counts[k] > 8800 && counts[k] < 11200, qPrintable(QString::number(counts[k])));
        QVERIFY2(seen.size() > 990, qPrintable(QString::number(seen.size())));
    }

    void contestFolderIsChosenOnceAtStart_data()
    {
        // Paths relative to a work folder that holds program/ (with
        // programHolds, if any), data/, and contests/ with a folder with
        // blanks and Arabic letters, a link to it and a few files; the
        // folder chosen as a pattern of the path.
        addColumns<QString, QString, int, QString>("programHolds", "argument", "source", "folder");
        using S = ContestFolder::Source;
        const QString arabic = QStringLiteral("contests/الصف الأول");
        QTest::newRow("own folder with a bank") << "db1.sqlite" << "" << int(S::ProgramFolder) << "program";
        QTest::newRow("own folder with an Access bank") << "db1.mdb" << "" << int(S::ProgramFolder) << "program";
        QTest::newRow("installed: the player's own") << "" << "" << int(S::PerUser) << "data/contest";
        QTest::newRow("a folder") << "db1.sqlite" << arabic << int(S::Folder) << arabic;
        QTest::newRow("a link to a folder") << "" << "contests/link" << int(S::Folder) << arabic;
        QTest::newRow("its bank") << "" << arabic + "/db1.sqlite" << int(S::BankFile) << arabic;
        QTest::newRow("an Access bank") << "" << "contests/old bank.MDB" << int(S::AccessFile) << "contests";
        QTest::newRow("a question file") << "" << "contests/my questions.csv" << int(S::QuestionFile) << "data/csv/my questions-[0-9a-f]{8}";
        QTest::newRow("a question file named .csv") << "" << "contests/.csv" << int(S::QuestionFile) << "data/csv/questions-[0-9a-f]{8}";
        QTest::newRow("a question file named ..csv") << "" << "contests/..csv" << int(S::QuestionFile) << "data/csv/questions-[0-9a-f]{8}";
        QTest::newRow("a question file named ...csv") << "" << "contests/...csv" << int(S::QuestionFile) << "data/csv/questions-[0-9a-f]{8}";
        QTest::newRow("missing") << "" << "contests/none" << -1 << "was not found";
        QTest::newRow("another file") << "" << "contests/notes.txt" << -1 << "cannot start on this file";
        QTest::newRow("a bank of another name") << "" << "contests/other.sqlite" << -1 << "cannot start on this file";
    }
    void contestFolderIsChosenOnceAtStart()
    {
        auto [programHolds, argument, source, folder] = fetchRow<QString, QString, int, QString>("programHolds", "argument", "source", "folder");
        QTemporaryDir dir;
        const QDir work(dir.path());
        work.mkpath(QStringLiteral("program"));
        work.mkpath(QStringLiteral("contests/الصف الأول"));
        for (const QString &file : {QStringLiteral("contests/الصف الأول/db1.sqlite"), QStringLiteral("contests/old bank.MDB"),
                                    QStringLiteral("contests/my questions.csv"), QStringLiteral("contests/notes.txt"),
                                    QStringLiteral("contests/.csv"), QStringLiteral("contests/..csv"), QStringLiteral("contests/...csv"),
                                    QStringLiteral("contests/other.sqlite"), QStringLiteral("program/") + programHolds})
            QFile(work.filePath(file)).open(QIODevice::WriteOnly); // "program/" alone makes nothing
        QFile::link(work.filePath(QStringLiteral("contests/الصف الأول")), work.filePath(QStringLiteral("contests/link")));
        // A question file of the same name in another folder.
        const QString twin = work.filePath(QStringLiteral("twin/") + QFileInfo(argument).fileName());
        work.mkpath(QStringLiteral("twin"));
        QFile(twin).open(QIODevice::WriteOnly);
        ContestFolder::Choice choice;
        const QString message = failureOf([&] {
            choice = ContestFolder::choose(argument.isEmpty() ? QString() : work.filePath(argument), work.filePath(QStringLiteral("program")),
                                           work.filePath(QStringLiteral("data")));
        });
        QVERIFY2(failedAsExpected(message, source < 0 ? folder : QString()), qPrintable(message));
        if (source >= 0) {
            QCOMPARE(int(choice.source), source);
            QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(folder)).match(work.relativeFilePath(choice.folder)).hasMatch(),
                     qPrintable(choice.folder));
            if (choice.source == ContestFolder::Source::QuestionFile)
                QVERIFY(ContestFolder::choose(twin, work.filePath(QStringLiteral("program")), work.filePath(QStringLiteral("data"))).folder != choice.folder);
        }
    }

    void playersDataFolderFollowsTheXdgRules_data()
    {
        addColumns<QByteArray, QString>("xdgDataHome", "folder");
        QTest::newRow("absolute") << QByteArray("/srv/pupils/data") << "/srv/pupils/data/mathcontest";
        QTest::newRow("relative: ignored") << QByteArray("data") << QDir::homePath() + "/.local/share/mathcontest";
        QTest::newRow("unset") << QByteArray() << QDir::homePath() + "/.local/share/mathcontest";
    }
    void playersDataFolderFollowsTheXdgRules()
    {
        auto [xdgDataHome, folder] = fetchRow<QByteArray, QString>("xdgDataHome", "folder");
        const QByteArray before = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", xdgDataHome);
        const QString chosen = ContestFolder::userDataFolder();
        qputenv("XDG_DATA_HOME", before);
        QCOMPARE(chosen, folder);
    }

    void messagesSpeakTheUsersLanguage()
    {
        // Run in English and again under LANGUAGE=ar: the failure report's
        // box with Qt's own button text in the same language, and a path
        // that keeps its order inside Arabic text.
        const bool arabic = qEnvironmentVariable("LANGUAGE").startsWith(QLatin1String("ar"));
        const QString path = QStringLiteral("/home/teacher/contest/mathcontest.lock");
        const QString message = Failure(QCoreApplication::translate("ContestFolder", "The contest folder or file given to the game was not found."), path, {}).message();
        const QString shownPath = arabic ? QChar(0x2068) + path + QChar(0x2069) : path;
        QVERIFY2(message.contains(shownPath) && message.isRightToLeft() == arabic, qPrintable(message));
        const auto box = MessageBox::make(MessageBox::Icon::Critical, message, QStringLiteral("تعذّر متابعة المسابقة"));
        QCOMPARE(box->button(QMessageBox::Ok)->text().remove(u'&'), arabic ? QStringLiteral("حسنًا") : QStringLiteral("OK"));
        QCOMPARE(box->layoutDirection(), arabic ? Qt::RightToLeft : Qt::LeftToRight);
    }

    void windowLinesKeepTheirDirection_data()
    {
        // A message and the marks its lines must begin with (0: none).
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("marks");
        const QString path = QChar(0x2068) + QStringLiteral("/tmp/q.ods") + QChar(0x2069);
        QTest::newRow("Arabic after a path") << path + QStringLiteral(":3: الإجابتان متساويتان") << QList<int>{0x200F};
        QTest::newRow("a path inside Arabic") << QStringLiteral("المكان: ") + path + QStringLiteral("، السطر 3") << QList<int>{0x200F};
        QTest::newRow("English after a path, then Arabic") << path + QStringLiteral(":3: answers\nما العمل") << QList<int>{0x200E, 0x200F};
        QTest::newRow("a nested isolate skipped") << QChar(0x2067) + QStringLiteral("س ") + path + QChar(0x2069) + QStringLiteral(" x") << QList<int>{0x200E};
        QTest::newRow("a path alone") << path << QList<int>{0};
    }
    void windowLinesKeepTheirDirection()
    {
        QFETCH(QString, message);
        QFETCH(QList<int>, marks);
        const QStringList lines = Translation::forWindow(message).split(u'\n');
        const QStringList given = message.split(u'\n');
        QCOMPARE(lines.size(), marks.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            QCOMPARE(lines[i], marks[i] ? QChar(marks[i]) + given[i] : given[i]);
    }

    void lockIsTakenOverOnlyWhenItsOwnerCannotBeAlive_data()
    {
        // The lock file's content, how old it is, and what a start says
        // (empty: the lock is taken).
        addColumns<QByteArray, int, QString>("content", "ageSeconds", "refusal");
        QTest::newRow("a process that is gone") << QByteArray("2147483000\nmathcontest\n\n") << 0 << "";
        QTest::newRow("empty, as a power cut leaves it") << QByteArray() << 60 << "";
        QTest::newRow("unreadable") << QByteArray("\xff\xfe\x00garbage") << 60 << "";
        QTest::newRow("empty, being written") << QByteArray() << 0 << "being written";
        QTest::newRow("from another computer") << QByteArray("12\nmathcontest\nclassroom-pc-7\n") << 60 << "another computer, classroom-pc-7";
    }
    void lockIsTakenOverOnlyWhenItsOwnerCannotBeAlive()
    {
        auto [content, ageSeconds, refusal] = fetchRow<QByteArray, int, QString>("content", "ageSeconds", "refusal");
        QTemporaryDir dir;
        const QString lock = dir.filePath(QString::fromLatin1(ProgramLock::kLockFileName));
        writeFile(lock, content);
        {
            QFile file(lock);
            QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
        }
        const QString failed = failureOf([&] { ProgramLock taken(dir.path()); });
        QVERIFY2(failedAsExpected(failed, refusal), qPrintable(failed));
    }

    // A connection keeps its name and options while it lives, moved or not,
    // and leaves nothing behind.
    void sqliteConnectionIsRemovedByItsLastOwner()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("own.sqlite"));
        QString name;
        {
            std::optional<SqliteConnection> kept;
            {
                SqliteConnection writer(path);
                QVERIFY(QSqlQuery(writer.database()).exec(QStringLiteral("create table t (x)")));
                SqliteConnection reader(path, QStringLiteral("QSQLITE_OPEN_READONLY"));
                QVERIFY(reader.database().isOpen() && reader.name() != writer.name());
                QVERIFY(!QSqlQuery(reader.database()).exec(QStringLiteral("insert into t values (1)")));
                SqliteConnection moved(std::move(writer));
                kept.emplace();
                *kept = std::move(moved);
            }
            name = kept->name();
            QVERIFY(QSqlDatabase::contains(name));
            QVERIFY(QSqlQuery(kept->database()).exec(QStringLiteral("insert into t values (1)")));
        }
        QVERIFY(!name.isEmpty() && !QSqlDatabase::contains(name));
        QVERIFY(QSqlDatabase::connectionNames().isEmpty());
    }
};

MC_TEST_MAIN(TestRuntime)
#include "tst_runtime.moc"
