// Draws a page of the quiz window's answer buttons (649 x 41, its font and
// colour), one caption a line of a text file, beside each caption as typed:
// what scripts/notation-page makes docs/answer-buttons.png with.
#include "answerbutton.h"
#include "application.h"

#include <QFile>
#include <QLabel>
#include <QTextStream>
#include <QWidget>

#include <cstdio>

int main(int argc, char **argv)
{
    Application app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: answerbuttonspage CAPTIONS.txt PAGE.png\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "answerbuttonspage: cannot read %s\n", argv[1]);
        return 1;
    }
    QStringList captions;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.trimmed().isEmpty())
            captions << line;
    }
    constexpr int kGap = 8, kTyped = 300;
    QWidget page;
    page.setStyleSheet(QStringLiteral("background: #8a8f99"));
    page.resize(kGap * 3 + kTyped + 649, kGap + int(captions.size()) * (41 + kGap));
    for (qsizetype i = 0; i < captions.size(); ++i) {
        const int y = kGap + int(i) * (41 + kGap);
        auto *typed = new QLabel(captions[i], &page);
        typed->setGeometry(kGap, y, kTyped, 41);
        typed->setStyleSheet(QStringLiteral("font: 13pt \"DejaVu Sans Mono\"; color: white"));
        typed->setTextFormat(Qt::PlainText);
        typed->setLayoutDirection(Qt::LeftToRight);
        auto *button = new AnswerButton(&page);
        button->setGeometry(kGap * 2 + kTyped, y, 649, 41);
        button->setStyleSheet(QStringLiteral("font: bold 20.25pt \"Arial\";"));
        button->setLayoutDirection(Qt::RightToLeft);
        button->setText(captions[i]);
    }
    if (!page.grab().save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "answerbuttonspage: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
