// The bank tool on 10 000 questions: create (with and without rendering the
// question pictures, written in notation; from CSV, .xlsx and .ods), import
// (from the Access helper's answer) and check; and the layout of one
// expression, and of hostile ones.
#include "accessimport.h"
#include "bankcheck.h"
#include "bankcreator.h"
#include "bankexport.h"
#include "questionfile.h"
#include "mathlayout.h"
#include "mathparagraph.h"
#include "mathparser.h"
#include "questionpicture.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

namespace {

constexpr int kQuestions = 10000;

struct Inputs {
    Inputs()
    {
        QImage picture(450, 130, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(dir.filePath(QStringLiteral("picture.jpg")), "JPEG");
        QByteArray rendered = "question,a1,a2,a3,a4\n", given = "question,a1,a2,a3,a4,picture\n";
        QByteArray helperOutput = "MDBTABLE 1\n6\nC\tID\tYN\ta1\ta2\ta3\ta4\n";
        for (int i = 1; i <= kQuestions; ++i) {
            const QByteArray n = QByteArray::number(i);
            const QByteArray answers = n + "," + n + "1," + n + "2," + n + "3";
            rendered += "\"ما ناتج " + n + "/4 + 2 1/" + n + " × x^2 ؟\"," + answers + "\n";
            given += "," + answers + ",picture.jpg\n";
            helperOutput += "R\t" + n + "\t0\t" + n + "\t" + n + "1\t" + n + "2\t" + n + "3\n";
        }
        helperOutput += "END " + QByteArray::number(kQuestions) + "\n";
        write(QStringLiteral("rendered.csv"), rendered);
        // The same questions as an Excel workbook, written as export writes
        // one.
        std::vector<QStringList> rows{{QStringLiteral("question"), QStringLiteral("a1"), QStringLiteral("a2"), QStringLiteral("a3"), QStringLiteral("a4")}};
        for (const QuestionFile::Question &q : QuestionFile::read(path("rendered.csv")))
            rows.push_back({q.question, q.answers[0], q.answers[1], q.answers[2], q.answers[3]});
        BankExport::writeXlsx(rows, path("rendered.xlsx"), true);
        write(QStringLiteral("given.csv"), given);
        write(QStringLiteral("helper-output.txt"), helperOutput);
        write(QStringLiteral("db1.mdb"), "read by the stand-in helper only");
        write(QStringLiteral("helper"), "#!/bin/sh\nexec cat '" + dir.filePath(QStringLiteral("helper-output.txt")).toLocal8Bit() + "'\n");
        QFile(dir.filePath(QStringLiteral("helper"))).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

Inputs &inputs()
{
    static Inputs in;
    return in;
}

void BM_CreateRendered(benchmark::State &state)
{
    for (auto _ : state) {
        QTemporaryDir out;
        BankCreator::create(inputs().path("rendered.csv"), out.path(), false);
    }
}

// The same 10 000 questions from a spreadsheet: the difference to
// BM_CreateRendered is the reading.
void BM_CreateFromSpreadsheet(benchmark::State &state)
{
    const QString file = state.range(0) == 0 ? inputs().path("rendered.xlsx")
                                              : QStringLiteral(MC_SOURCE_DIR "/bench/fixtures/questions-10000.ods");
    state.SetLabel(state.range(0) == 0 ? "xlsx" : "ods");
    for (auto _ : state) {
        QTemporaryDir out;
        BankCreator::create(file, out.path(), false);
    }
}

void BM_CreateWithPictures(benchmark::State &state)
{
    for (auto _ : state) {
        QTemporaryDir out;
        BankCreator::create(inputs().path("given.csv"), out.path(), false);
    }
}

void BM_Import(benchmark::State &state)
{
    for (auto _ : state) {
        QTemporaryDir out;
        AccessImport::importFile(inputs().path("db1.mdb"), out.filePath(QStringLiteral("db1.sqlite")), false, inputs().path("helper"));
    }
}

void BM_Check(benchmark::State &state)
{
    QTemporaryDir out;
    BankCreator::create(inputs().path("given.csv"), out.path(), false);
    for (auto _ : state) {
        const BankCheck::Report report = BankCheck::run(out.path());
        if (!report.ready())
            state.SkipWithError("the folder is not ready");
    }
}

void BM_LayOutExpression(benchmark::State &state)
{
    QFont font(QStringLiteral("Noto Naskh Arabic"));
    font.setPixelSize(QuestionPicture::kPixelSize);
    const QString expression = QStringLiteral("2x^2 + (x + 1)/3 = √(16 + 9)");
    for (auto _ : state) {
        const MathLayout layout(MathParser::parse(expression), font, false);
        benchmark::DoNotOptimize(layout.width());
    }
}

// Hostile expressions as an adversary types them, each read, laid out as a
// question picture's text and as an answer button's caption, and painted.
const struct {
    const char *name;
    QString text;
} kHostile[] = {
    {"brackets x30", QString(30, u'(') + u'5'},
    {"brackets x5000", QString(5000, u'(') + u'5'},
    {"([ x20", QStringLiteral("([").repeated(20) + u'5'},
    {"root( x20", QStringLiteral("root(").repeated(20) + u'5'},
    {"sqrt( x30", QStringLiteral("sqrt(").repeated(30) + u'5'},
    {"1/1/... x20000", QStringLiteral("1/").repeated(19999) + u'1'},
    {"2^2^... x20000", QStringLiteral("2^").repeated(19999) + u'2'},
};

void BM_LayOutHostile(benchmark::State &state)
{
    const auto &input = kHostile[state.range(0)];
    state.SetLabel(input.name);
    QFont font(QStringLiteral("Noto Naskh Arabic"));
    font.setPixelSize(QuestionPicture::kPixelSize);
    QImage image(900, 260, QImage::Format_RGB32);
    for (auto _ : state) {
        const MathParagraph question(input.text, font, QuestionPicture::kWidth, true);
        const MathParagraph caption(input.text, font, 600, false);
        QPainter painter(&image);
        question.paint(painter, QPointF(0, 0));
        caption.paint(painter, QPointF(0, 0));
        benchmark::DoNotOptimize(question.lineCount());
    }
}

} // namespace

BENCHMARK(BM_LayOutHostile)->DenseRange(0, std::size(kHostile) - 1)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_LayOutExpression)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CreateRendered)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_CreateFromSpreadsheet)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_CreateWithPictures)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Check)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
