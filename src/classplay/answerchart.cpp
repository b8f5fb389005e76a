#include "answerchart.h"

#include "answerbutton.h"
#include "classpictures.h"

#include <QLocale>
#include <QPainter>

#include <algorithm>

AnswerChart::AnswerChart(QWidget *parent)
    : QWidget(parent)
{
    setAccessibleName(QStringLiteral("إجابات التلاميذ"));
}

void AnswerChart::setBars(const std::array<Bar, 4> &bars)
{
    m_bars = bars;
    QStringList description;
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
    for (const Bar &bar : bars)
        description.append(QStringLiteral("%1: %2%3").arg(bar.caption, arabic.toString(bar.count), bar.correct ? QStringLiteral(" ✓") : QString()));
    setAccessibleDescription(description.join(QStringLiteral("، ")));
    update();
}

void AnswerChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int most = std::max(1, std::max_element(m_bars.begin(), m_bars.end(), [](const Bar &a, const Bar &b) { return a.count < b.count; })->count);
    const int rowHeight = height() / 4;
    const int captionWidth = width() * 2 / 5;
    const int countWidth = 70;
    // The captions as the game's answer buttons draw them.
    const QFont font = ClassPictures::answerFont();
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
    for (int i = 0; i < 4; ++i) {
        const Bar &bar = m_bars[size_t(i)];
        const QRect row(0, i * rowHeight, width(), rowHeight);
        // Right to left: the caption at the right, the bar growing leftwards.
        const QRect caption(row.right() - captionWidth, row.top() + 6, captionWidth, row.height() - 12);
        painter.fillRect(caption, bar.correct ? QColor(0x80, 0xFF, 0x80) : QColor(0xFF, 0xFF, 0xC0));
        painter.setPen(Qt::black);
        AnswerButton::paintCaption(painter, bar.caption, font, caption.adjusted(6, 0, -6, 0));
        const int room = row.width() - captionWidth - countWidth - 16;
        const int length = room * bar.count / most;
        const QRect barRect(caption.left() - 8 - length, row.top() + 14, length, row.height() - 28);
        painter.fillRect(barRect, bar.correct ? QColor(0, 128, 0) : QColor(0x80, 0x80, 0xA0));
        painter.setPen(QColor(0, 0, 0x80));
        painter.setFont(font);
        const QString count = arabic.toString(bar.count) + (bar.correct ? QStringLiteral(" ✓") : QString());
        painter.drawText(QRect(barRect.left() - countWidth - 4, row.top(), countWidth, row.height()), Qt::AlignVCenter | Qt::AlignRight, count);
    }
}
