#include "contestrecord.h"
#include "contestsettings.h"
#include "contestsmodel.h"
#include "messagebox.h"
#include "questionlistmodel.h"
#include "questionresultsmodel.h"
#include "teacherwindow.h"
#include "testfolder.h"
#include "testhelpers.h"
#include "testmain.h"
#include "worksheet.h"

#include <QAbstractItemModel>
#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>

namespace {

// Runs a Poppler tool on a PDF and gives what it printed.
QString poppler(const QString &tool, const QString &pdf)
{
    QProcess process;
    process.start(tool, {pdf, QStringLiteral("-")});
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pagesOf(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(20000);
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(out);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString cell(QAbstractItemModel *model, int row, int column)
{
    return model->data(model->index(row, column)).toString();
}

} // namespace

class TestTeacher : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_data = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", m_data->path().toUtf8());
        MessageBox::clearHistory();
    }

    void aQuestionFileIsShownAndFollowed()
    {
        // A file create refuses: every fault, each with its line, on top
        // (the columns named as its header names them), and the rows without
        // one shown; corrected on disk, the contest is made again by itself.
        const QString csv = m_data->filePath(QStringLiteral("صف.csv"));
        writeFile(csv, "question,a1,a2,a3,a4\nما ناتج 3/4 + 1/8 ؟,7/8,4/12,1/2,3/8\nما ناتج 7 × 8 ؟,56,56,64,48\nما ناتج 2 + 2 ؟,4,,5,6\n");
        TeacherWindow window;
        auto *list = window.findChild<QTableView *>(QStringLiteral("questionList"));
        QAbstractItemModelTester tester(list->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        window.open(csv);
        auto *problems = window.findChild<QLabel *>(QStringLiteral("bankProblems"));
        QVERIFY2(problems->text().contains(QStringLiteral(":3: answers a1 and a2 are the same")) && problems->text().contains(QStringLiteral(":4: answer a2 is empty"))
                     && problems->text().contains(QStringLiteral("2 faults")),
                 qPrintable(problems->text()));
        QCOMPARE(list->model()->rowCount(), 1);
        QVERIFY(cell(list->model(), 0, QuestionListModel::Number).contains(QStringLiteral("line 2")));
        QVERIFY(!list->model()->data(list->model()->index(0, QuestionListModel::Picture), Qt::DecorationRole).value<QPixmap>().isNull());
        // An Arabic header names its own columns.
        const QString arabic = m_data->filePath(QStringLiteral("عربي.csv"));
        writeFile(arabic, "السؤال,الإجابة الصحيحة,إجابة خاطئة 1,إجابة خاطئة 2,إجابة خاطئة 3\nما ناتج 7 × 8 ؟,56,56,64,48\n");
        TeacherWindow other;
        other.open(arabic);
        QVERIFY2(other.findChild<QLabel *>(QStringLiteral("bankProblems"))->text().contains(QStringLiteral("answers \"الإجابة الصحيحة\" and \"إجابة خاطئة 1\" are the same")),
                 qPrintable(other.findChild<QLabel *>(QStringLiteral("bankProblems"))->text()));
        QVERIFY(window.recentFiles().contains(csv));
        writeFile(csv, "question,a1,a2,a3,a4\nما ناتج 3/4 + 1/8 ؟,7/8,4/12,1/2,3/8\nما ناتج 7 × 8 ؟,56,54,64,48\n");
        QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(), 2, 5000);
        QVERIFY(problems->text().indexOf(QStringLiteral("faults")) < 0);
        // Each question with its place in the file, its correct answer
        // marked, and the problem of the whole bank on top.
        QVERIFY(cell(list->model(), 1, QuestionListModel::Number).contains(QStringLiteral("line 3")));
        // Answers drawn as on the buttons, as typed for screen readers.
        const QModelIndex answers = list->model()->index(1, QuestionListModel::Answers);
        QVERIFY(answers.data(Qt::AccessibleTextRole).toString().startsWith(QStringLiteral("✔ 56")));
        QVERIFY(answers.data(Qt::DisplayRole).isNull());
        QCOMPARE(answers.data(Qt::DecorationRole).value<QPixmap>().deviceIndependentSize().toSize().height(), (4 * 41 + 6) / 2);
        QVERIFY2(problems->text().contains(QStringLiteral("fewer than the 25")), qPrintable(problems->text()));
        QVERIFY(!list->model()->data(list->model()->index(0, QuestionListModel::Picture), Qt::DecorationRole).value<QPixmap>().isNull());
    }

    void aFolderShowsTheProblemsOfEachQuestion()
    {
        TestFolder folder;
        folder.writeBank(3);
        folder.writePictures(3);
        QFile::remove(folder.imgPath(QStringLiteral("2.jpg")));
        folder.query(QStringLiteral("update soaal set a3=a1 where ID=3"));
        TeacherWindow window;
        window.open(folder.path());
        QAbstractItemModel *model = window.findChild<QTableView *>(QStringLiteral("questionList"))->model();
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(cell(model, 0, QuestionListModel::Problems), QString());
        QVERIFY(cell(model, 1, QuestionListModel::Problems).contains(QStringLiteral("img/2.jpg")));
        QVERIFY(cell(model, 2, QuestionListModel::Problems).contains(QStringLiteral("answer a3")));
        QVERIFY(!window.findChild<QLabel *>(QStringLiteral("bankProblems"))->text().contains(QStringLiteral("img/2.jpg")));
    }

    void aBigBankLoadsOnlyThePicturesShown()
    {
        // Sized without its pictures, and never holding a bank's worth.
        // Shown first, filled once read on another thread.
        TestFolder folder;
        folder.prepareContest(150);
        TeacherWindow window;
        window.resize(1000, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy opened(&window, &TeacherWindow::opened);
        window.openInBackground(folder.path());
        QVERIFY(opened.wait(10000));
        QTest::qWait(50);
        auto *list = window.findChild<QTableView *>(QStringLiteral("questionList"));
        auto *model = static_cast<QuestionListModel *>(list->model());
        QVERIFY2(model->picturesLoaded() > 0 && model->picturesLoaded() < 20, qPrintable(QString::number(model->picturesLoaded())));
        for (int row = 0; row < model->rowCount(); ++row)
            QVERIFY(!model->data(model->index(row, QuestionListModel::Picture), Qt::DecorationRole).value<QPixmap>().isNull());
        QCOMPARE(model->picturesLoaded(), QuestionListModel::kPicturesHeld);
    }

    void settingsAreSavedAndChecked()
    {
        TestFolder folder;
        folder.prepareContest(5);
        TeacherWindow window;
        window.open(folder.path());
        auto *length = window.findChild<QSpinBox *>(QStringLiteral("length"));
        QCOMPARE(length->value(), 0); // as designed
        length->setValue(3);
        window.findChild<QComboBox *>(QStringLiteral("order"))->setCurrentIndex(1);
        window.findChild<QCheckBox *>(QStringLiteral("reveal"))->setChecked(true);
        QVERIFY(window.saveSettings());
        const ContestSettings saved = ContestSettings::load(folder.path());
        QVERIFY(saved.lengthGiven && saved.length == 3 && saved.order == ContestSettings::Order::Fixed && saved.reveal && !saved.names);
        // Longer than the bank: refused, saying why, the file as it was.
        length->setValue(6);
        QVERIFY(!window.saveSettings());
        QVERIFY(MessageBox::history().last().prompt.contains(QStringLiteral("1 to 5")));
        QCOMPARE(ContestSettings::load(folder.path()), saved);
    }

    void resultsAreShownAndWritten()
    {
        TestFolder folder;
        folder.prepareContest(30);
        {
            ContestRecord record = ContestRecord::open(folder.path());
            const QDateTime at(QDate(2026, 12, 8), QTime(9, 0), Qt::OffsetFromUTC, 3600);
            const qint64 laila = record.startContest(QStringLiteral("ليلى"), QString(), at);
            record.recordDraw(laila, 1, 1, QStringLiteral("ما قيمة (x + 1)/3 ؟"), {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}, at);
            record.recordAnswer(laila, 1, 1, 3, true, 1250);
            record.recordDraw(laila, 2, 2, QStringLiteral("ص"), {QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("x"), QStringLiteral("8")}, at);
            record.recordAnswer(laila, 2, 3, 1, false, 4000);
            record.endContest(laila, ContestRecord::Ending::Completed, at);
            // Begun and left before an answer (Ctrl+N, a cancelled start):
            // no line of the report.
            record.endContest(record.startContest(QString(), QString(), at), ContestRecord::Ending::NewContest, at);
        }
        TeacherWindow window;
        QAbstractItemModel *contests = window.findChild<QTableView *>(QStringLiteral("contests"))->model();
        QAbstractItemModel *questions = window.findChild<QTableView *>(QStringLiteral("questionResults"))->model();
        QAbstractItemModelTester contestsTester(contests, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester questionsTester(questions, QAbstractItemModelTester::FailureReportingMode::QtTest);
        window.open(folder.path());
        QCOMPARE(contests->rowCount(), 1);
        QCOMPARE(cell(contests, 0, ContestsModel::Player), QStringLiteral("ليلى"));
        QCOMPARE(cell(contests, 0, ContestsModel::Score), QStringLiteral("1 of 2"));
        QCOMPARE(cell(contests, 0, ContestsModel::Ending), QStringLiteral("completed"));
        // When, in local time as the user's language writes it.
        QVERIFY2(!cell(contests, 0, ContestsModel::Started).contains(u'T') && cell(contests, 0, ContestsModel::Started).contains(QLocale().toString(QDateTime(QDate(2026, 12, 8), QTime(9, 0), Qt::OffsetFromUTC, 3600).toLocalTime().time(), QLocale::ShortFormat)),
                 qPrintable(cell(contests, 0, ContestsModel::Started)));
        // Hardest first, with the wrong answer chosen most.
        QCOMPARE(cell(questions, 0, QuestionResultsModel::Number), QStringLiteral("2"));
        QCOMPARE(cell(questions, 0, QuestionResultsModel::Right), QStringLiteral("0%"));
        QCOMPARE(cell(questions, 0, QuestionResultsModel::MostWrong), QStringLiteral("x (1)"));
        QCOMPARE(cell(questions, 1, QuestionResultsModel::Right), QStringLiteral("100%"));
        // As pupils read it: the expression whole, in its own order.
        QCOMPARE(cell(questions, 1, QuestionResultsModel::Text), QStringLiteral("ما قيمة \u2066(x + 1)/3\u2069 ؟"));

        // A contest played while the window is open shows without reopening.
        {
            ContestRecord record = ContestRecord::open(folder.path());
            const qint64 omar = record.startContest(QStringLiteral("عمر"), QString(), QDateTime::currentDateTime());
            record.recordDraw(omar, 1, 1, QStringLiteral("ما قيمة (x + 1)/3 ؟"), {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}, QDateTime::currentDateTime());
            record.recordAnswer(omar, 1, 1, 2, true, 900);
        }
        QTRY_COMPARE_WITH_TIMEOUT(contests->rowCount(), 2, 5000);

        const QDir out(m_data->path());
        QVERIFY(window.exportResultsCsv(out.filePath(QStringLiteral("results.csv"))));
        QVERIFY(readFile(out.filePath(QStringLiteral("results.csv"))).contains("1,\"ليلى\",\"2026-12-08T09:00:00.000+01:00\",2,\"ص\",a3,\"x\",0,4.0"));
        QVERIFY(window.exportResultsPdf(out.filePath(QStringLiteral("results.pdf"))));
        const QString report = poppler(QStringLiteral("pdftotext"), out.filePath(QStringLiteral("results.pdf")));
        QVERIFY2(report.contains(QStringLiteral("Results of the contests")) && report.contains(QStringLiteral("0%")), qPrintable(report));
    }

    void worksheetsArePrinted()
    {
        TestFolder folder;
        folder.prepareContest(9);
        TeacherWindow window;
        window.open(folder.path());
        const QDir out(m_data->path());
        QVERIFY(window.printWorksheet(out.filePath(QStringLiteral("sheet.pdf")), false));
        QVERIFY(window.printWorksheet(out.filePath(QStringLiteral("key.pdf")), true));
        // Four questions a page; every answer of every question, labelled.
        QCOMPARE(pagesOf(out.filePath(QStringLiteral("sheet.pdf"))), 3);
        QCOMPARE(pagesOf(out.filePath(QStringLiteral("key.pdf"))), 1);
        const QString sheet = poppler(QStringLiteral("pdftotext"), out.filePath(QStringLiteral("sheet.pdf")));
        for (const QString answer : {"q9a1", "q9a2", "q9a3", "q9a4"})
            QVERIFY2(sheet.contains(answer), qPrintable(sheet));
        QVERIFY(sheet.contains(QStringLiteral("Worksheet")));
        // On the sheet each question's answers stand under their labels in
        // its own shuffled order: the text of every question comes in the
        // same order of places (however pdftotext reads the two columns),
        // which gives back each question's own shuffle.
        const QStringList fields = [&] {
            QStringList found;
            for (auto it = QRegularExpression(QStringLiteral("q(\\d)a(\\d)")).globalMatch(sheet); it.hasNext();)
                found << it.next().captured(0);
            return found;
        }();
        QCOMPARE(fields.size(), 36);
        std::array<int, 4> placeOf{}; // text position to place, from question 1
        for (int k = 0; k < 4; ++k) {
            const int field = fields[k].right(1).toInt() - 1;
            const std::array<int, 4> first = Worksheet::order(1);
            placeOf[size_t(k)] = int(std::find(first.begin(), first.end(), field) - first.begin());
        }
        int shuffled = 0;
        for (int id = 1; id <= 9; ++id) {
            const std::array<int, 4> order = Worksheet::order(id);
            for (int k = 0; k < 4; ++k)
                QCOMPARE(fields[(id - 1) * 4 + k], QStringLiteral("q%1a%2").arg(id).arg(order[size_t(placeOf[size_t(k)])] + 1));
            shuffled += order != std::array<int, 4>{0, 1, 2, 3};
            QCOMPARE(Worksheet::order(id), order); // the same on every print
        }
        QVERIFY(shuffled >= 5);
        // The key names, for each question, the label its correct answer has
        // on the sheet, and that answer.
        const QString key = poppler(QStringLiteral("pdftotext"), out.filePath(QStringLiteral("key.pdf"))).normalized(QString::NormalizationForm_KC);
        for (int id = 1; id <= 9; ++id) {
            const std::array<int, 4> order = Worksheet::order(id);
            const QString label = Worksheet::label(int(std::find(order.begin(), order.end(), 0) - order.begin()));
            // Its line: "1. ج)", in whichever order the text comes.
            bool found = false;
            for (const QString &line : key.split(u'\n')) {
                const QRegularExpressionMatch number = QRegularExpression(QStringLiteral("\\d+")).match(line);
                if (!line.contains(u'q') && number.hasMatch() && number.captured(0).toInt() == id)
                    found = line.contains(label);
            }
            QVERIFY2(found, qPrintable(key));
            QVERIFY2(key.contains(QStringLiteral("q%1a1").arg(id)) && !key.contains(QStringLiteral("q%1a2").arg(id)), qPrintable(key));
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_data;
};

MC_TEST_MAIN(TestTeacher)
#include "tst_teacher.moc"
