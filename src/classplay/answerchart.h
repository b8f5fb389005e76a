#pragma once

#include <QString>
#include <QWidget>

#include <array>

// The closed question's chart on the host screen: a bar for each answer,
// in the order the screen showed them, as long as the answers chosen, with
// its caption as the game's buttons draw it and its count; the correct one
// green and marked.
class AnswerChart : public QWidget {
    Q_OBJECT
public:
    explicit AnswerChart(QWidget *parent = nullptr);

    struct Bar {
        QString caption;
        int count = 0;
        bool correct = false;
    };
    void setBars(const std::array<Bar, 4> &bars);
    const std::array<Bar, 4> &bars() const { return m_bars; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<Bar, 4> m_bars;
};
