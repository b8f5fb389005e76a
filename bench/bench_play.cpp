// The start-up sweep and the handlers of the play (the draw with its record
// written), timed on banks of 25, 1 000 and 100 000 questions; the teacher's
// report over 1 000 contests, the teacher's window opened on 1 000 questions
// and their worksheet.
#include "application.h"
#include "form2.h"
#include "messagebox.h"
#include "contestfolder.h"
#include "contestrecord.h"
#include "contestresults.h"
#include "questionbank.h"
#include "questionpicture.h"
#include "teacherwindow.h"
#include "worksheet.h"

#include <QTemporaryDir>
#include "testfolder.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QLabel>
#include <QTimer>

#include <map>
#include <unistd.h>
#include <memory>

namespace {

constexpr int kMarked = 25;

// One program folder per bank size: the bank and one question picture (made
// as the bank tool makes it, with twice the pixels), hard linked under every
// question's name.
TestFolder &folderOf(int questions)
{
    static std::map<int, std::unique_ptr<TestFolder>> folders;
    auto &folder = folders[questions];
    if (!folder) {
        folder = std::make_unique<TestFolder>();
        folder->writeBank(questions);
        folder->writePictures(1);
        if (!QuestionPicture::render(QStringLiteral("ما ناتج 2 1/2 + 3/4 × 2^3 ؟")).save(folder->imgPath(QStringLiteral("1.jpg")), "JPEG", 88))
            qFatal("cannot write the question picture");
        // A file takes at most 65 000 links; every 60 000 names get a copy.
        constexpr int kLinksPerFile = 60000;
        QByteArray source;
        for (int id = 2; id <= questions; ++id) {
            const QString name = folder->imgPath(QStringLiteral("%1.jpg").arg(id));
            if ((id - 2) % kLinksPerFile == 0) {
                if (!QFile::copy(folder->imgPath(QStringLiteral("1.jpg")), name))
                    qFatal("cannot copy %s", qPrintable(name));
                source = name.toLocal8Bit();
            } else if (::link(source.constData(), name.toLocal8Bit().constData()) != 0) {
                qFatal("cannot link %s", qPrintable(name));
            }
        }
    }
    return *folder;
}

void setMarks(const TestFolder &folder, int marked)
{
    folder.query(QStringLiteral("update soaal set YN=(ID<=%1) where YN<>(ID<=%1)").arg(marked));
}

void BM_StartupSweep(benchmark::State &state)
{
    const TestFolder &folder = folderOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        setMarks(folder, kMarked);
        state.ResumeTiming();
        QuestionBank bank = QuestionBank::openBank(folder.path());
        bank.clearUsedMarks(bank.countQuestions());
    }
}

// The checks before the splash shows, and the integrity check made once it
// is on the screen.
void BM_StartupCheck(benchmark::State &state)
{
    const TestFolder &folder = folderOf(static_cast<int>(state.range(0)));
    setMarks(folder, 0);
    for (auto _ : state) {
        QuestionBank bank = QuestionBank::openBank(folder.path());
        bank.checkStructure(bank.countQuestions());
    }
}

void BM_IntegrityCheck(benchmark::State &state)
{
    const TestFolder &folder = folderOf(static_cast<int>(state.range(0)));
    for (auto _ : state)
        QuestionBank::openBank(folder.path()).checkIntegrity();
}

struct LoadedQuiz {
    explicit LoadedQuiz(const TestFolder &folder)
    {
        folder.use();
        window.Form_Load();
    }
    Form2 window;
};

void BM_Draw(benchmark::State &state)
{
    const TestFolder &folder = folderOf(static_cast<int>(state.range(0)));
    const int marked = static_cast<int>(state.range(1));
    setMarks(folder, marked);
    LoadedQuiz quiz(folder);
    auto *timer = quiz.window.findChild<QTimer *>(QStringLiteral("Timermove"));
    for (auto _ : state) {
        quiz.window.soal_Click();
        state.PauseTiming();
        timer->stop();
        setMarks(folder, marked);
        state.ResumeTiming();
    }
}

void BM_Shuffle(benchmark::State &state)
{
    const TestFolder &folder = folderOf(static_cast<int>(state.range(0)));
    setMarks(folder, 0);
    LoadedQuiz quiz(folder);
    quiz.window.soal_Click();
    for (auto _ : state)
        quiz.window.Timermove_Timer();
}

void BM_RoundEnd(benchmark::State &state)
{
    const TestFolder &folder = folderOf(static_cast<int>(state.range(0)));
    setMarks(folder, 0);
    LoadedQuiz quiz(folder);
    auto *namberq = quiz.window.findChild<QLabel *>(QStringLiteral("namberq"));
    for (auto _ : state) {
        state.PauseTiming();
        namberq->setText(QStringLiteral("3"));
        quiz.window.tta2_Click();
        state.ResumeTiming();
        quiz.window.Timeranswar_Timer();
    }
}

// The teacher's report over a record of contests of 25 answers each, 25 000
// and 500 000 answers in all, drawn from banks of 1 000 and 20 000 questions.
void BM_Results(benchmark::State &state)
{
    const qint64 answers = state.range(0);
    TestFolder folder;
    ContestRecord::open(folder.path());
    const QString record = folder.path() + QStringLiteral("/") + QString::fromLatin1(ContestRecord::kFileName);
    TestFolder::query(record, QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
                                             "insert into contest select i, 'player ' || i, '2026-12-08T09:00:00.000+03:00', null, '', 'completed' from n")
                                  .arg(answers / 25));
    TestFolder::query(record, QStringLiteral("with recursive n(i) as (select 0 union all select i + 1 from n where i < %1) "
                                             "insert into asked select i / 25 + 1, i % 25 + 1, (i * 7) % %2 + 1, 'question', '1', '2', '3', '4', "
                                             "'2026-12-08T09:00:00.000+03:00', 'a' || (i % 4 + 1), i % 4 + 1, i % 4 = 0, 2000 from n")
                                  .arg(answers - 1)
                                  .arg(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ContestResults::read(folder.path()).questions.size());
}

// The teacher's window on a bank of 1 000 questions: opened, shown and
// painted, its first questions' pictures loaded.
void BM_TeacherOpen(benchmark::State &state)
{
    const TestFolder &folder = folderOf(1000);
    for (auto _ : state) {
        TeacherWindow window;
        window.resize(1100, 760);
        window.open(folder.path());
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.grab());
    }
}

// The worksheet of 1 000 questions, as a PDF.
void BM_Worksheet(benchmark::State &state)
{
    const TestFolder &folder = folderOf(1000);
    QTemporaryDir out;
    for (auto _ : state)
        Worksheet::write(folder.path(), out.filePath(QStringLiteral("sheet.pdf")), false, true);
}

} // namespace

// Each figure is reported as the median of repeated runs, beside mean and spread.
constexpr int kRepetitions = 7;
BENCHMARK(BM_StartupSweep)->Arg(25)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_StartupCheck)->Arg(25)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_IntegrityCheck)->Arg(25)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_Draw)->ArgsProduct({{25, 1000, 100000}, {0, 24}})->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_Shuffle)->Arg(100000)->Unit(benchmark::kMicrosecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_RoundEnd)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_Results)->Args({25000, 1000})->Args({500000, 1000})->Args({500000, 20000})->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_TeacherOpen)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_Worksheet)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    MessageBox::answerInAdvance();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
