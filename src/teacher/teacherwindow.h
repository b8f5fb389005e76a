#pragma once

#include "teachercontest.h"

#include <QFileSystemWatcher>
#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>

namespace Ui {
class TeacherWindow;
}
class ContestsModel;
class QuestionListModel;
class QuestionResultsModel;

// The teacher's window over a contest: its questions as pupils will see them
// with what check finds, its settings, its results, and the worksheet. It
// holds no bank, results or rendering logic: it shows what TeacherContest
// and the bank tool's code give.
class TeacherWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kRecentFiles = 8;

    explicit TeacherWindow(QWidget *parent = nullptr);
    ~TeacherWindow() override;

    // Opens a question file, an Access bank or a contest folder; what goes
    // wrong is shown, never thrown.
    void open(const QString &path);
    // The same, the contest made and read on another thread while the window
    // shows and answers (a bank of 100 000 questions takes a while to check);
    // the window is filled when it is ready. opened() says so.
    void openInBackground(const QString &path);
    const TeacherContest &contest() const { return m_contest; }
    QStringList recentFiles() const;

    // The settings in the form, written to the contest's contest.ini.
    bool saveSettings();
    // Writes the worksheet (or its key), the results as CSV or as a PDF
    // report; false, after saying why, when it could not.
    bool printWorksheet(const QString &pdfPath, bool key);
    bool exportResultsCsv(const QString &csvPath);
    bool exportResultsPdf(const QString &pdfPath);
    // The game on the contest, in a window or full screen; asks first while
    // the question file on disk is refused, says why when it cannot start.
    bool startGame(bool fullScreen, bool classPlay = false);

signals:
    void opened();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void chooseAndOpen();
    // Takes a contest made (or the failure met) on path, and shows it.
    void take(const QString &path, TeacherContest contest, const QString &error);
    void questionFileChanged();
    void showContest();
    void showSettings();
    void showResults();
    void updateRecent(const QString &path);
    void enableActions();
    // A file to write, asked of the teacher; empty when cancelled.
    QString askSavePath(const QString &title, const QString &suggestion, const QString &filter);
    // A message in the status bar.
    void tell(const QString &message);
    // Runs work; a failure is shown and gives false.
    bool attempt(const std::function<void()> &work);

    std::unique_ptr<Ui::TeacherWindow> ui;
    TeacherContest m_contest;
    bool m_open = false;
    QString m_openError;
    QuestionListModel *m_questions;
    ContestsModel *m_contests;
    QuestionResultsModel *m_questionResults;
    QFileSystemWatcher m_watcher;
    QTimer m_reloadTimer;
    QTimer m_resultsTimer;
    bool m_opening = false;
    QByteArray m_resultsStamp;
};
