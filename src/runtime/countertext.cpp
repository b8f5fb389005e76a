#include "countertext.h"
#include "translation.h"

#include "failure.h"

#include <cmath>
#include <cstdlib>
#include <QCoreApplication>

double CounterText::toNumber(const QString &caption)
{
    qsizetype i = 0;
    const qsizetype n = caption.size();
    while (i < n && (caption[i] == u' ' || caption[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < n && (caption[i] == u'+' || caption[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && caption[i].isDigit() && caption[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && caption[i] == u'.') {
        ++i;
        while (i < n && caption[i].isDigit() && caption[i].unicode() < 128) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    qsizetype end = i;
    // An exponent counts only when digits follow it.
    if (i < n && (caption[i] == u'e' || caption[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (caption[j] == u'+' || caption[j] == u'-'))
            ++j;
        const qsizetype expStart = j;
        while (j < n && caption[j].isDigit() && caption[j].unicode() < 128)
            ++j;
        if (j > expStart)
            end = j;
    }
    // strtod keeps an overflow as infinity, which increment() then reports.
    const QByteArray text = caption.mid(start, end - start).toLatin1();
    return std::strtod(text.constData(), nullptr);
}

QString CounterText::fromNumber(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

QString CounterText::increment(const QString &caption)
{
    const double sum = toNumber(caption) + 1.0;
    if (!std::isfinite(sum))
        throw Failure(QCoreApplication::translate("CounterText", "A counter could not be raised: its caption \"%1\" does not hold a usable number.").arg(Translation::isolate(caption)),
                      QCoreApplication::translate("CounterText", "the counters of the quiz window"),
                      QCoreApplication::translate("CounterText", "Start the program again."));
    return fromNumber(sum);
}
