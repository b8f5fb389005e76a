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
    bool lengthGiven = false;    // set by the file or the command line; else a
                                 // bank of fewer questions plays until it runs out
    Order order = Order::Random; // fixed: questions 1..length in ID order
    bool names = false;          // ask the player's name at each contest's start
    bool reveal = false;         // mark the correct answer after a wrong one
    bool hold = false;           // keep the verdict until the player goes on
    // Class play only: seconds a question stays open (0: until everyone
    // answered or the teacher closes it), points for speed, the three best
    // shown at the end.
    int time = 0;
    bool speed = false;
    bool podium = false;
    static constexpr int kMaxTime = 3600;

    // The folder's settings, the defaults where the file or a key is
    // missing. Throws a Failure naming contest.ini, the key and the values
    // it allows, for an unknown key or a value a key cannot have.
    static ContestSettings load(const QString &folder);
    // Throws the same Failure, naming where (the file, or the option that
    // gave it), when a length given is outside 1..questions (the bank's
    // size).
    void check(qint64 questions, const QString &where) const;
    // Writes every key (the length only when one was given), under another
    // name and renamed into place.
    void save(const QString &folder) const;
    // Where the folder's settings are: folder/contest.ini.
    static QString filePath(const QString &folder);
    // One line, as contest.ini writes them: "length=10 order=fixed ...".
    QString text() const;

    bool operator==(const ContestSettings &) const = default;

    // Settings given for one run or one change (the command line), over
    // those of the file.
    struct Overrides {
        std::optional<int> length;
        std::optional<Order> order;
        std::optional<bool> names, reveal, hold;
        std::optional<int> time;
        void applyTo(ContestSettings &settings) const;
    };
};
