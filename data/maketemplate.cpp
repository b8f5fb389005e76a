// Makes the spreadsheet template installed with the documentation from the
// CSV one: the same header and rows, every column Text, right to left.
#include "bankexport.h"
#include "failure.h"
#include "questionfile.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: maketemplate TEMPLATE.csv TEMPLATE.xlsx\n");
        return 2;
    }
    try {
        const QString csv = QString::fromLocal8Bit(argv[1]);
        std::vector<QStringList> rows{{QStringLiteral("السؤال"), QStringLiteral("الإجابة الصحيحة"), QStringLiteral("إجابة خاطئة 1"),
                                       QStringLiteral("إجابة خاطئة 2"), QStringLiteral("إجابة خاطئة 3"), QStringLiteral("الصورة")}};
        for (const QuestionFile::Question &q : QuestionFile::read(csv))
            rows.push_back({q.question, q.answers[0], q.answers[1], q.answers[2], q.answers[3], q.picture});
        BankExport::writeXlsx(rows, QString::fromLocal8Bit(argv[2]), true);
    } catch (const Failure &failure) {
        std::fprintf(stderr, "maketemplate: %s\n", qPrintable(failure.whatFailed()));
        return 1;
    }
    return 0;
}
