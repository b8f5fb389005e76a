#pragma once

#include <QString>

// The contest folder: the question bank (db1.sqlite, or db1.mdb brought from
// Access), its img folder of pictures and the lock of the running game. It is
// chosen once, at start: the folder or file the player names, else the
// program's own folder when it holds a bank, else the one opened last, else
// the player's own contest folder. Every part of the game reads and writes the contest there.
class ContestFolder {
public:
    static constexpr auto kBankFileName = "db1.sqlite";
    static constexpr auto kAccessFileName = "db1.mdb";
    // The pictures beside the bank: the window's three and one a question.
    static constexpr auto kPictureFolder = "img";
    static constexpr auto kBackgroundPicture = "bak.jpg";
    static constexpr auto kPlaceholderPicture = "soal.jpg";
    static constexpr auto kQuestionButtonPicture = "bsoal.jpg";
    // The file name of question id's picture ("7.jpg").
    static QString questionPictureName(qint64 id);
    // name in the picture folder of folder ("FOLDER/img/7.jpg").
    static QString picture(const QString &folder, const QString &name);
    static QString questionPicture(const QString &folder, qint64 id) { return picture(folder, questionPictureName(id)); }

    enum class Source {
        Folder,        // a folder named on the command line
        BankFile,      // a db1.sqlite named on the command line: its folder
        AccessFile,    // an Access bank named on the command line: its folder
        QuestionFile,  // a CSV question file: a folder made from it
        ProgramFolder, // no argument: the program's folder holds a bank
        PerUser,       // no argument otherwise: the player's own folder
    };

    struct Choice {
        Source source;
        QString folder; // absolute, symbolic links resolved
        QString file;   // the file named on the command line, if any
    };

    // Where the contest is, from the command-line argument (empty when there
    // is none; then the contest opened last, lastOpened, when it is still
    // there). Throws a Failure for an argument that names nothing usable.
    static Choice choose(const QString &argument, const QString &programFolder, const QString &userDataFolder,
                         const QString &lastOpened = {});

    // The folder or file the player last named on the command line (and the
    // game opened), remembered per user; empty when none.
    static QString lastOpened();
    static void rememberOpened(const QString &argument);

    // Whether folder holds a bank (db1.sqlite or db1.mdb).
    static bool holdsBank(const QString &folder);

    // The player's own data folder: $XDG_DATA_HOME/mathcontest.
    static QString userDataFolder();

    // Gives the player's own contest folder whatever the sample contest has
    // that it lacks, the bank last; nothing there is ever overwritten.
    static void fillFromSample(const QString &folder, const QString &sampleFolder);

    // Throws a Failure naming the folder when the folder or its bank cannot be
    // written: the game writes the used marks, so it must not start there.
    static void checkWritable(const QString &folder);

    // Makes folder the contest folder of this run.
    static void use(const QString &folder);
    // The contest folder made the one of this run, or an empty text.
    static QString chosen();
    // The contest folder (the program's folder until one is chosen), with no
    // trailing separator except at the root.
    static QString path();
    // With exactly one trailing separator, ready to have file names appended.
    static QString withSeparator();
};
