#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>

#include <array>

// What a device shows of a question, made once a question on the host: the
// question's picture, and each answer drawn as the game's buttons draw it
// (notation laid out here, so that no device has to lay out right-to-left
// mathematics), PNG at twice the size shown for sharp phone screens.
class ClassPictures {
public:
    // The size an answer is drawn for, in the page's pixels.
    static constexpr int kAnswerWidth = 320;
    static constexpr int kAnswerHeight = 56;

    // The font the game's answer buttons use.
    static QFont answerFont();
    // Throws a Failure naming the picture.
    static QByteArray question(const QString &folder, qint64 id);
    static QByteArray answer(const QString &text);
    static std::array<QByteArray, 4> answers(const std::array<QString, 4> &texts);
};
