#pragma once

#include <QString>

#include <optional>

// How the contests of a contest folder are shaped: contest.ini in the folder
// (UTF-8, "key=value" lines as Qt's INI format writes them), every setting
// defaulting to the game as designed, so a folder without the file plays
// exactly as before.
class ContestSettings {
public:
    static constexpr auto kFileName = "contest.ini";
    static constexpr int kDefaultLength = 25;
    enum class Order { Random, Fixed };

    int length = kDefaultLength; // questions in a contest
    Order order = Order::Random; // fixed: questions 1..length in ID order
    bool names = false;          // ask the player's name at each contest's start
    bool reveal = false;         // mark the correct answer after a wrong one
    bool hold = false;           // keep the verdict until the player goes on

    // The folder's settings, the defaults where the file or a key is
    // missing. Throws a Failure naming contest.ini, the key and the values
    // it allows, for an unknown key, a value a key cannot have, or a length
    // outside 1..questions (the bank's size).
    static ContestSettings load(const QString &folder, qint64 questions);
    // Throws the same Failure when these settings cannot be played on a bank
    // of questions questions.
    void check(qint64 questions, const QString &file) const;
    // Writes every key, under another name and renamed into place.
    void save(const QString &folder) const;
    // One line, as contest.ini writes them: "length=10 order=fixed ...".
    QString text() const;

    bool operator==(const ContestSettings &) const = default;

    // Settings given for one run or one change (the command line), over
    // those of the file.
    struct Overrides {
        std::optional<int> length;
        std::optional<Order> order;
        std::optional<bool> names, reveal, hold;
        void applyTo(ContestSettings &settings) const;
    };
};
