#pragma once

#include "failure.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QFile>
#include <QString>
#include <QTest>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>
#include <tuple>

// Ends the test process, failed, when what it guards has not returned within
// the time given: a step that would hang fails instead of blocking the run.
class Watchdog {
public:
    Watchdog(std::chrono::seconds limit, const char *what)
        : m_thread([this, what, end = std::chrono::steady_clock::now() + limit] {
            for (; !m_done; std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
                if (std::chrono::steady_clock::now() > end) {
                    std::fprintf(stderr, "FAIL!  : %s did not return in time\n", what);
                    std::_Exit(1);
                }
            }
        })
    {
    }
    ~Watchdog()
    {
        m_done = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

// The message of the Failure that step throws, or an empty text.
inline QString failureOf(const std::function<void()> &step)
{
    try {
        step();
    } catch (const Failure &failure) {
        return failure.message();
    }
    return QString();
}

// Whether a failure message is as expected: none when expected is empty,
// else one that contains it.
inline bool failedAsExpected(const QString &message, const QString &expected)
{
    return expected.isEmpty() ? message.isEmpty() : message.contains(expected);
}

inline void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A JPEG picture of one colour.
inline QByteArray jpeg(QSize size, QColor colour = Qt::darkCyan)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

// A picture in format: a blue diagonal on a transparent ground.
inline QByteArray picture(const char *format, QSize size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QPen(QColor(0, 0, 200), 6));
    painter.drawLine(0, 0, size.width(), size.height());
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        qFatal("cannot write a %s picture", format);
    return bytes;
}

// A small JPEG whose header claims to be width x height pixels.
inline QByteArray lyingJpeg(int width, int height)
{
    QByteArray bytes = jpeg({16, 16});
    const qsizetype frame = bytes.indexOf("\xFF\xC0");
    bytes[frame + 5] = char(height >> 8), bytes[frame + 6] = char(height & 0xff);
    bytes[frame + 7] = char(width >> 8), bytes[frame + 8] = char(width & 0xff);
    return bytes;
}

// A data table's columns, declared in one step:
//     addColumns<QByteArray, QString>("csv", "expected");
template <typename... T, typename... Name>
void addColumns(Name... names)
{
    (QTest::addColumn<T>(names), ...);
}

// The current row's values of the named columns, fetched in one step:
//     auto [csv, expected] = fetchRow<QByteArray, QString>("csv", "expected");
template <typename... T, typename... Name>
std::tuple<T...> fetchRow(Name... names)
{
    return {*static_cast<T *>(QTest::qData(names, qMetaTypeId<T>()))...};
}
