#include "teacherwindow.h"
#include "ui_teacher.h"

#include "bankexport.h"
#include "contestsmodel.h"
#include "failure.h"
#include "installpaths.h"
#include "messagebox.h"
#include "questionlistmodel.h"
#include "questionresultsmodel.h"
#include "resultsreport.h"
#include "translation.h"
#include "worksheet.h"

#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>
#include <QHeaderView>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

namespace {

constexpr int kReloadDelayMs = 500;
constexpr int kResultsPollMs = 1000;

QSettings userSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("mathcontest"), QStringLiteral("teacher"));
}

} // namespace

TeacherWindow::TeacherWindow(QWidget *parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TeacherWindow>()), m_questions(new QuestionListModel(this)), m_contests(new ContestsModel(this)),
      m_questionResults(new QuestionResultsModel(this))
{
    ui->setupUi(this);
    ui->questionList->setModel(m_questions);
    // Rows and the picture column of a known size: sizing them to their
    // contents would load every picture of the bank.
    ui->questionList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ui->questionList->verticalHeader()->setDefaultSectionSize(QuestionListModel::kPictureCell.height());
    ui->questionList->verticalHeader()->hide();
    ui->questionList->horizontalHeader()->setSectionResizeMode(QuestionListModel::Picture, QHeaderView::Fixed);
    ui->questionList->horizontalHeader()->resizeSection(QuestionListModel::Picture, QuestionListModel::kPictureCell.width());
    ui->questionList->horizontalHeader()->setSectionResizeMode(QuestionListModel::Number, QHeaderView::ResizeToContents);
    ui->questionList->horizontalHeader()->setSectionResizeMode(QuestionListModel::Answers, QHeaderView::ResizeToContents);
    ui->questionList->horizontalHeader()->setStretchLastSection(true);
    ui->questionList->setIconSize(QSize(450, 130));
    ui->contests->setModel(m_contests);
    ui->contests->horizontalHeader()->setStretchLastSection(true);
    ui->questionResults->setModel(m_questionResults);
    ui->questionResults->horizontalHeader()->setStretchLastSection(true);
    m_reloadTimer.setSingleShot(true);
    m_reloadTimer.setInterval(kReloadDelayMs);
    // The results follow the record as the game writes it.
    m_resultsTimer.setInterval(kResultsPollMs);
    connect(&m_resultsTimer, &QTimer::timeout, this, [this] {
        if (m_open && m_contest.resultsStamp() != m_resultsStamp)
            showResults();
    });
    m_resultsTimer.start();

    connect(ui->actionOpen, &QAction::triggered, this, &TeacherWindow::chooseAndOpen);
    connect(ui->actionQuit, &QAction::triggered, this, &QWidget::close);
    connect(ui->actionOpenInSpreadsheet, &QAction::triggered, this, [this] {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(m_contest.questionFile())))
            MessageBox::warning(tr("No program could open %1: this computer has none for its type. Install a spreadsheet program such as "
                                   "LibreOffice Calc, or open the file from the one you use.")
                                    .arg(Translation::isolate(m_contest.questionFile())),
                                windowTitle());
    });
    connect(ui->actionStart, &QAction::triggered, this, [this] { startGame(false); });
    connect(ui->actionStartFullScreen, &QAction::triggered, this, [this] { startGame(true); });
    connect(ui->actionClassPlay, &QAction::triggered, this, [this] { startGame(true, true); });
    connect(ui->actionPrintWorksheet, &QAction::triggered, this, [this] {
        const QString path = askSavePath(tr("Worksheet"), tr("worksheet.pdf"), tr("PDF (*.pdf)"));
        if (!path.isEmpty())
            printWorksheet(path, false);
    });
    connect(ui->actionPrintKey, &QAction::triggered, this, [this] {
        const QString path = askSavePath(tr("Answer key"), tr("answer-key.pdf"), tr("PDF (*.pdf)"));
        if (!path.isEmpty())
            printWorksheet(path, true);
    });
    connect(ui->actionExportCsv, &QAction::triggered, this, [this] {
        const QString path = askSavePath(tr("Results as CSV"), tr("results.csv"), tr("CSV (*.csv)"));
        if (!path.isEmpty())
            exportResultsCsv(path);
    });
    connect(ui->actionExportPdf, &QAction::triggered, this, [this] {
        const QString path = askSavePath(tr("Results as a PDF report"), tr("results.pdf"), tr("PDF (*.pdf)"));
        if (!path.isEmpty())
            exportResultsPdf(path);
    });
    connect(ui->saveSettings, &QPushButton::clicked, this, &TeacherWindow::saveSettings);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { m_reloadTimer.start(); });
    connect(&m_reloadTimer, &QTimer::timeout, this, &TeacherWindow::questionFileChanged);
    updateRecent(QString());
    enableActions();
}

TeacherWindow::~TeacherWindow() = default;

bool TeacherWindow::attempt(const std::function<void()> &work)
{
    return MessageBox::attempt(work, windowTitle());
}

namespace {

// The contest on path, or what kept it from being made. A question file that
// cannot be made yet is shown with its faults, and watched, so that the
// corrected file opens by itself.
std::pair<TeacherContest, QString> contestOn(const QString &path)
{
    TeacherContest contest;
    QString error;
    try {
        contest.open(path);
    } catch (const Failure &failure) {
        error = failure.message();
    } catch (const std::exception &failure) {
        error = QString::fromUtf8(failure.what());
    }
    return {std::move(contest), error};
}

} // namespace

void TeacherWindow::open(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    auto [contest, error] = contestOn(absolute);
    take(absolute, std::move(contest), error);
}

void TeacherWindow::openInBackground(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_opening = true;
    enableActions();
    tell(tr("Opening %1…").arg(Translation::isolate(absolute)));
    auto *watcher = new QFutureWatcher<std::pair<TeacherContest, QString>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, absolute] {
        auto [contest, error] = watcher->result();
        watcher->deleteLater();
        m_opening = false;
        statusBar()->clearMessage();
        take(absolute, std::move(contest), error);
    });
    watcher->setFuture(QtConcurrent::run(contestOn, absolute));
}

void TeacherWindow::take(const QString &path, TeacherContest contest, const QString &error)
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    m_contest = std::move(contest);
    m_openError = error;
    m_open = error.isEmpty();
    if (QFileInfo(path).isFile())
        m_watcher.addPath(path);
    updateRecent(path);
    showContest();
    emit opened();
}

void TeacherWindow::tell(const QString &message)
{
    statusBar()->showMessage(Translation::forWindow(message));
}

bool TeacherWindow::startGame(bool fullScreen, bool classPlay)
{
    // The game plays what the contest folder holds: while the file on disk
    // is refused, that is the last version that could be made of it.
    if (!m_openError.isEmpty()
        && !MessageBox::ask(tr("The question file on disk could not be made into a contest (its fault is shown above). The game would play the last "
                               "version of it that could be made. Start it all the same?"),
                            windowTitle()))
        return false;
    if (m_contest.startGame(fullScreen, classPlay))
        return true;
    MessageBox::warning(tr("The game could not be started from %1. Reinstall mathcontest, or start the game from the menu.")
                            .arg(Translation::isolate(InstallPaths::programFolder())),
                        windowTitle());
    return false;
}

void TeacherWindow::questionFileChanged()
{
    const QString path = m_contest.path().isEmpty() ? QString() : m_contest.path();
    // Programs that save by replacing the file end the watch: it is taken up again.
    if (!path.isEmpty() && QFileInfo::exists(path) && !m_watcher.files().contains(path))
        m_watcher.addPath(path);
    m_openError.clear();
    try {
        m_contest.reload();
        m_open = true;
    } catch (const Failure &failure) {
        m_openError = failure.message();
    }
    showContest();
    tell(m_openError.isEmpty() ? tr("The question file changed on disk; the contest was made again.")
                                                   : tr("The question file changed on disk, and could not be made into a contest: see its fault above."));
}

void TeacherWindow::showContest()
{
    const QString shown = m_contest.path().isEmpty() ? QString() : Translation::isolate(m_contest.path());
    ui->contestLabel->setText(Translation::forWindow(m_contest.questionFile().isEmpty()
                                                         ? tr("Contest folder: %1").arg(shown)
                                                         : tr("Question file: %1\nIts contest folder: %2").arg(shown, Translation::isolate(m_contest.folder()))));
    QStringList problems;
    if (!m_openError.isEmpty())
        problems << m_openError;
    if (m_open)
        problems << m_contest.bankProblems();
    ui->bankProblems->setText(Translation::forWindow(problems.join(u'\n')));
    ui->bankProblems->setVisible(!problems.isEmpty());
    m_questions->setQuestions(m_contest.questions());
    if (m_open) {
        showSettings();
        showResults();
    }
    setWindowTitle(m_contest.path().isEmpty() ? tr("Mathematics Contest — Teacher")
                                              : tr("%1 — Mathematics Contest — Teacher").arg(QFileInfo(m_contest.path()).fileName()));
    enableActions();
}

void TeacherWindow::showSettings()
{
    attempt([this] {
        const ContestSettings settings = m_contest.settings();
        ui->length->setValue(settings.lengthGiven ? settings.length : 0);
        ui->order->setCurrentIndex(settings.order == ContestSettings::Order::Fixed ? 1 : 0);
        ui->names->setChecked(settings.names);
        ui->reveal->setChecked(settings.reveal);
        ui->hold->setChecked(settings.hold);
        ui->settingsState->setText(Translation::forWindow(QFileInfo::exists(ContestSettings::filePath(m_contest.folder()))
                                                              ? tr("As in %1.").arg(Translation::isolate(ContestSettings::filePath(m_contest.folder())))
                                                              : tr("The contest plays as designed: no settings are saved in its folder.")));
    });
}

bool TeacherWindow::saveSettings()
{
    ContestSettings settings;
    settings.lengthGiven = ui->length->value() > 0;
    settings.length = settings.lengthGiven ? ui->length->value() : ContestSettings::kDefaultLength;
    settings.order = ui->order->currentIndex() == 1 ? ContestSettings::Order::Fixed : ContestSettings::Order::Random;
    settings.names = ui->names->isChecked();
    settings.reveal = ui->reveal->isChecked();
    settings.hold = ui->hold->isChecked();
    const bool saved = m_open && attempt([&] { m_contest.saveSettings(settings); });
    if (saved)
        ui->settingsState->setText(Translation::forWindow(tr("Saved in %1.").arg(Translation::isolate(ContestSettings::filePath(m_contest.folder())))));
    return saved;
}

void TeacherWindow::showResults()
{
    m_resultsStamp = m_contest.resultsStamp();
    attempt([this] {
        const ContestResults results = m_contest.results();
        m_contests->setResults(results);
        m_questionResults->setResults(results);
        ui->chart->setResults(results);
    });
}

bool TeacherWindow::printWorksheet(const QString &pdfPath, bool key)
{
    int pages = 0;
    const bool done = m_open && attempt([&] { pages = Worksheet::write(m_contest.folder(), pdfPath, key, true); });
    if (done)
        tell(tr("Wrote %n page(s) to %1.", nullptr, pages).arg(Translation::isolate(pdfPath)));
    return done;
}

bool TeacherWindow::exportResultsCsv(const QString &csvPath)
{
    const bool done = m_open && attempt([&] { BankExport::writeFile(m_contest.folder(), csvPath, ResultsReport::csv(m_contest.results()), true); });
    if (done)
        tell(tr("Wrote the results to %1.").arg(Translation::isolate(csvPath)));
    return done;
}

bool TeacherWindow::exportResultsPdf(const QString &pdfPath)
{
    int pages = 0;
    const bool done = m_open && attempt([&] { pages = ResultsReport::writePdf(m_contest.folder(), pdfPath, true); });
    if (done)
        tell(tr("Wrote %n page(s) to %1.", nullptr, pages).arg(Translation::isolate(pdfPath)));
    return done;
}

QString TeacherWindow::askSavePath(const QString &title, const QString &suggestion, const QString &filter)
{
    const QString folder = m_contest.questionFile().isEmpty() ? QDir::homePath() : QFileInfo(m_contest.questionFile()).absolutePath();
    return QFileDialog::getSaveFileName(this, title, QDir(folder).filePath(suggestion), filter);
}

void TeacherWindow::chooseAndOpen()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open a contest"), QDir::homePath(),
                                                      tr("Question files and banks (*.csv *.xlsx *.ods *.xls *.mdb *.accdb db1.sqlite);;All files (*)"));
    if (!path.isEmpty())
        open(path);
}

QStringList TeacherWindow::recentFiles() const
{
    return userSettings().value(QStringLiteral("recent")).toStringList();
}

void TeacherWindow::updateRecent(const QString &path)
{
    QStringList recent = recentFiles();
    if (!path.isEmpty()) {
        recent.removeAll(path);
        recent.prepend(path);
        while (recent.size() > kRecentFiles)
            recent.removeLast();
        QSettings settings = userSettings();
        settings.setValue(QStringLiteral("recent"), recent);
    }
    ui->recentMenu->clear();
    for (const QString &file : recent)
        ui->recentMenu->addAction(file, this, [this, file] { open(file); });
    ui->recentMenu->setEnabled(!recent.isEmpty());
}

void TeacherWindow::enableActions()
{
    ui->actionOpen->setEnabled(!m_opening);
    for (QAction *action : {ui->actionStart, ui->actionStartFullScreen, ui->actionPrintWorksheet, ui->actionPrintKey, ui->actionExportCsv, ui->actionExportPdf})
        action->setEnabled(m_open);
    ui->actionOpenInSpreadsheet->setEnabled(!m_contest.questionFile().isEmpty());
    ui->saveSettings->setEnabled(m_open);
}

void TeacherWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().first().isLocalFile())
        event->acceptProposedAction();
}

void TeacherWindow::dropEvent(QDropEvent *event)
{
    if (m_opening)
        return;
    open(event->mimeData()->urls().first().toLocalFile());
}
