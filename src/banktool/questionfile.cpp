#include "questionfile.h"

#include "csvreader.h"
#include "failure.h"
#include "regularfile.h"
#include "spreadsheetreader.h"
#include "translation.h"

#include <QCoreApplication>

#include <array>
#include <optional>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {

// Translated when asked, after the translator is installed.
QString advice()
{
    return QCoreApplication::translate("CsvReader", "Correct the question file, save it, and try again.");
}

// The columns, by their English and Arabic names (hamza forms of alef and
// Arabic-Indic digits are taken as written either way).
const char *const kColumns[6][2] = {
    {"question", "السؤال"},          {"a1", "الإجابة الصحيحة"}, {"a2", "إجابة خاطئة 1"},
    {"a3", "إجابة خاطئة 2"},        {"a4", "إجابة خاطئة 3"},   {"picture", "الصورة"},
};
// Translated when asked, after the translator is installed.
QString headerHelp()
{
    return QCoreApplication::translate("CsvReader", "question,a1,a2,a3,a4 and, if wanted, picture (in Arabic: السؤال,الإجابة الصحيحة,إجابة خاطئة 1,إجابة خاطئة 2,إجابة خاطئة 3,الصورة)");
}

QString normalised(const QString &name)
{
    QString text = name.trimmed().toLower().simplified();
    for (QChar &c : text) {
        if (c == u'أ' || c == u'إ' || c == u'آ')
            c = u'ا';
        else if (c.isDigit())
            c = QChar(u'0' + c.digitValue());
    }
    return text;
}

int columnOf(const QString &name)
{
    const QString wanted = normalised(name);
    for (int i = 0; i < 6; ++i) {
        if (wanted == normalised(QString::fromUtf8(kColumns[i][0])) || wanted == normalised(QString::fromUtf8(kColumns[i][1])))
            return i;
    }
    return -1;
}

// Whether text is what an 8-bit encoding without Arabic letters makes of
// Arabic: words of question marks only ("????? ??????").
bool lostArabic(const QString &text)
{
    // A word of question marks has two of them at least.
    if (text.count(u'?') < 2)
        return false;
    static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    int words = 0;
    for (const QString &word : text.split(separators, Qt::SkipEmptyParts))
        words += word.size() >= 2 && word.count(u'?') == word.size();
    return words >= 1 && !std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

// An answer as a spreadsheet writes a date it made of what was typed: 07/08/26,
// 8/7/2026, 2026-07-08, 8-Jul, Jul-26.
bool looksLikeDate(const QString &text)
{
    static const QRegularExpression date(QStringLiteral(
        "^\\s*(\\d{1,2}[/.]\\d{1,2}[/.]\\d{2,4}|\\d{4}-\\d{1,2}-\\d{1,2}|\\d{1,2}[- ](jan|feb|mar|apr|may|jun|jul|aug|sep|oct|nov|dec)[a-z]*"
        "|(jan|feb|mar|apr|may|jun|jul|aug|sep|oct|nov|dec)[a-z]*[- ]\\d{1,4})\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return date.match(text).hasMatch();
}

class Places {
public:
    Places(const QString &fileName, const QString &sheet)
        : m_file(fileName), m_sheet(sheet)
    {
    }
    // "q.csv:7" or "q.xlsx:Sheet1!C7", and where the failure is.
    Failure failure(int line, int column, const QString &what) const
    {
        if (m_sheet.isEmpty())
            return Failure(QStringLiteral("%1:%2: %3").arg(Translation::isolate(m_file)).arg(line).arg(what),
                           QCoreApplication::translate("CsvReader", "%1, line %2").arg(Translation::isolate(m_file)).arg(line), advice());
        return QuestionFile::cellFailure(m_file, m_sheet, column, line, what);
    }
    [[noreturn]] void fail(int line, int column, const QString &what) const { throw failure(line, column, what); }
    bool csv() const { return m_sheet.isEmpty(); }
    const QString &sheet() const { return m_sheet; }

private:
    QString m_file;
    QString m_sheet;
};

using Columns = std::array<int, 6>;

// The columns the header names, in English or in Arabic: the question's,
// a1..a4's and the picture's (-1: none). A header that names none, an
// unknown or repeated column, or a missing one is refused.
Columns headerColumns(const QuestionFile::Row &header, const Places &places)
{
    Columns column{-1, -1, -1, -1, -1, -1};
    bool known = false;
    for (const QString &name : header.cells)
        known = known || columnOf(name) >= 0;
    if (!known) {
        const QString first = Translation::shown(header.cells.empty() ? QString() : QStringList(header.cells.begin(), header.cells.end()).join(u','));
        if (lostArabic(first))
            places.fail(header.line, 0, QCoreApplication::translate("QuestionFile", "the Arabic of this file was lost when it was saved: its first line reads \"%1\", "
                                                                                    "the Arabic letters turned into question marks. Open the spreadsheet the file came "
                                                                                    "from and save it again as \"CSV UTF-8\" (or as .xlsx or .ods)")
                                                           .arg(Translation::isolate(first.left(80))));
        places.fail(header.line, 0, (places.csv() ? QCoreApplication::translate("QuestionFile", "this file is not a question file: its first line is \"%1\"; a question file "
                                                                                                "starts with the header %2")
                                                  : QCoreApplication::translate("QuestionFile", "this sheet is not a sheet of questions: its first row is \"%1\"; a question "
                                                                                                "sheet starts with the header %2"))
                                        .arg(Translation::isolate(first.left(80)), headerHelp()));
    }
    for (size_t i = 0; i < header.cells.size(); ++i) {
        const QString name = header.cells[i].trimmed();
        const int which = columnOf(name);
        if (which < 0)
            places.fail(header.line, int(i), QCoreApplication::translate("CsvReader", "unknown column \"%1\"; the header is %2").arg(Translation::shown(name), headerHelp()));
        if (column[which] >= 0)
            places.fail(header.line, int(i), QCoreApplication::translate("CsvReader", "column \"%1\" appears twice").arg(Translation::shown(name)));
        column[which] = static_cast<int>(i);
    }
    for (int i = 0; i < 5; ++i) {
        if (column[i] < 0)
            places.fail(header.line, 0, QCoreApplication::translate("CsvReader", "the header has no column \"%1\"").arg(QLatin1String(kColumns[i][0])));
    }

    return column;
}

// A column as the file's header names it: a1 under an English header, its
// own words under an Arabic one.
QString columnNamed(const QuestionFile::Row &header, const Columns &column, int which)
{
    const QString name = header.cells[size_t(column[size_t(which)])].trimmed();
    return QLatin1String(kColumns[which][0]) == name ? name : QStringLiteral("\"%1\"").arg(Translation::shown(name));
}

// The question of a row, or nothing when the row has a fault: each fault is
// added to found. Notes (answers that look like dates) go to note.
std::optional<QuestionFile::Question> rowQuestion(QuestionFile::Row &row, const QuestionFile::Row &header, const Columns &column, const Places &places,
                                                  std::vector<Failure> &found, QString *note)
{
    using Question = QuestionFile::Question;
    bool good = true;
    auto fault = [&](int line, int at, const QString &what) {
        found.push_back(places.failure(line, at, what));
        good = false;
    };
    auto named = [&](int which) { return columnNamed(header, column, which); };
    if (places.csv()) {
        while (row.cells.size() > header.cells.size() && row.cells.back().trimmed().isEmpty())
            row.cells.pop_back();
        if (row.cells.size() != header.cells.size()) {
            fault(row.line, 0,
                  QCoreApplication::translate("CsvReader", "expected %1, found %2")
                      .arg(QCoreApplication::translate("CsvReader", "%n column(s)", nullptr, int(header.cells.size())),
                           QCoreApplication::translate("CsvReader", "%n column(s)", nullptr, int(row.cells.size()))));
            return std::nullopt;
        }
    }
    row.cells.resize(std::max(row.cells.size(), header.cells.size()));
    row.changed.resize(row.cells.size());
    Question question;
    question.line = row.line;
    if (!places.csv())
        question.cell = QuestionFile::cellName(places.sheet(), column[0], row.line);
    auto cell = [&](int which) { return column[which] < 0 ? QString() : row.cells[static_cast<size_t>(column[which])]; };
    // What the spreadsheet made of a question or an answer is refused:
    // the pupils would see it.
    for (int which = 0; which < 5; ++which) {
        if (!row.changed[size_t(column[which])].isEmpty())
            fault(row.line, column[which], row.changed[size_t(column[which])]);
    }
    question.question = cell(0).trimmed();
    // Answers and the picture's path as the file has them: a quoted
    // field keeps its blanks, an unquoted one comes without the spaces
    // and tabs at its ends (the CSV reader drops them, as spreadsheets
    // do). An answer must show something on its button.
    for (int a = 0; a < 4; ++a) {
        question.answers[a] = cell(a + 1);
        if (CsvReader::isBlank(question.answers[a]))
            fault(row.line, column[a + 1], QCoreApplication::translate("CsvReader", "answer %1 is empty").arg(named(a + 1)));
    }
    // Two equal answers leave no way to answer right.
    for (int a = 1; a < 4; ++a) {
        for (int b = 0; b < a; ++b) {
            if (good && question.answers[a].trimmed() == question.answers[b].trimmed())
                fault(row.line, column[a + 1],
                      QCoreApplication::translate("QuestionFile", "answers %1 and %2 are the same, \"%3\"; a question with two equal answers "
                                                                  "cannot be answered. Make them different")
                          .arg(named(b + 1), named(a + 1), Translation::shown(question.answers[a].trimmed())));
        }
    }
    question.picture = cell(5);
    question.pastedPicture = row.pastedPicture;
    if (question.question.isEmpty() && question.picture.isEmpty() && question.pastedPicture.isEmpty())
        fault(row.line, column[0], QCoreApplication::translate("CsvReader", "the question has neither text nor a picture"));
    if (lostArabic(question.question))
        fault(row.line, column[0], QCoreApplication::translate("QuestionFile", "the Arabic of this question was lost when the file was saved (it reads \"%1\"). "
                                                                                     "Open the spreadsheet the file came from and save it again as \"CSV UTF-8\" "
                                                                                     "(or as .xlsx or .ods)")
                                                          .arg(Translation::shown(question.question.left(80))));
    if (places.csv()) {
        for (int a = 0; a < 4; ++a) {
            if (looksLikeDate(question.answers[a]))
                QuestionFile::addNote(note, QCoreApplication::translate("QuestionFile", "line %1: answer a%2 \"%3\" looks like a date a spreadsheet made of what was typed; "
                                                                          "if it was 7/8 or the like, format the column as Text in the spreadsheet, type it again "
                                                                          "and save the file again")
                                  .arg(row.line)
                                  .arg(a + 1)
                                  .arg(Translation::shown(question.answers[a])));
        }
    }
    if (!good)
        return std::nullopt;
    return question;
}

} // namespace

QString QuestionFile::Question::place() const
{
    return cell.isEmpty() ? QCoreApplication::translate("QuestionFile", "line %1").arg(line)
                          : QCoreApplication::translate("QuestionFile", "cell %1").arg(Translation::isolate(cell));
}

QString QuestionFile::columnName(int column)
{
    QString name;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        name.prepend(QChar(u'A' + (c - 1) % 26));
    return name;
}

QString QuestionFile::cellName(const QString &sheet, int column, qint64 line)
{
    return QStringLiteral("%1!%2%3").arg(sheet, columnName(column)).arg(line);
}

Failure QuestionFile::cellFailure(const QString &fileName, const QString &sheet, int column, qint64 line, const QString &what)
{
    const QString cell = cellName(sheet, std::max(column, 0), line);
    return Failure(QStringLiteral("%1:%2: %3").arg(Translation::isolate(fileName), Translation::isolate(cell), what),
                   QCoreApplication::translate("QuestionFile", "%1, cell %2").arg(Translation::isolate(fileName), Translation::isolate(cell)), advice());
}

void QuestionFile::addNote(QString *note, const QString &more)
{
    if (note)
        *note = note->isEmpty() ? more : *note + QStringLiteral("\n") + more;
}

QuestionFile::Format QuestionFile::formatOf(const QString &path, const QByteArray &start)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (start.startsWith("PK\x03\x04"))
        return suffix == QLatin1String("ods") ? Format::Ods : Format::Xlsx;
    if (start.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return Format::Xls;
    return Format::Csv;
}

Failure QuestionFile::allFaults(const std::vector<Failure> &faults, const QString &fileName)
{
    if (faults.size() == 1)
        return faults.front();
    QStringList listed;
    for (size_t i = 0; i < faults.size() && i < kFaultsListed; ++i)
        listed << faults[i].whatFailed();
    if (faults.size() > kFaultsListed)
        listed << QCoreApplication::translate("QuestionFile", "and %n more", nullptr, int(faults.size() - kFaultsListed));
    return Failure(QCoreApplication::translate("QuestionFile", "The question file has %n fault(s); each is to be corrected before a contest is made of it:", nullptr,
                                               int(faults.size()))
                       + u'\n' + listed.join(u'\n'),
                   Translation::isolate(fileName), faults.front().whatToDo());
}

std::vector<QuestionFile::Question> QuestionFile::read(const QString &path, QString *note, std::vector<Failure> *faults)
{
    const QByteArray data = CsvReader::readFile(path);
    switch (formatOf(path, data.left(8))) {
    case Format::Csv:
        return CsvReader::parse(data, path, note, faults);
    case Format::Xlsx:
        return questions(SpreadsheetReader::readXlsx(path, data), path, note, faults);
    case Format::Ods:
        return questions(SpreadsheetReader::readOds(path, data), path, note, faults);
    case Format::Xls:
        return questions(SpreadsheetReader::readXls(path, data), path, note, faults);
    }
    return {};
}

std::vector<QuestionFile::Question> QuestionFile::questions(Table table, const QString &fileName, QString *note, std::vector<Failure> *faults)
{
    const Places places(fileName, table.sheet);
    // Rows with every cell empty are left out, and so are empty columns at
    // the end of the header (spreadsheets write both).
    std::erase_if(table.rows, [](const Row &row) {
        return std::all_of(row.cells.begin(), row.cells.end(), [](const QString &c) { return c.trimmed().isEmpty(); }) && row.pastedPicture.isEmpty();
    });
    if (table.rows.empty())
        places.fail(1, 0, QCoreApplication::translate("CsvReader", "the file is empty; it needs the header %1").arg(headerHelp()));
    Row header = table.rows.front();
    while (!header.cells.empty() && header.cells.back().trimmed().isEmpty())
        header.cells.pop_back();
    const Columns column = headerColumns(header, places);

    // Every fault of the file is found, each row's after the other's, and
    // the rows without one are kept.
    std::vector<Failure> found;
    std::vector<Question> questions;
    questions.reserve(table.rows.size() - 1);
    for (size_t r = 1; r < table.rows.size(); ++r) {
        if (std::optional<Question> question = rowQuestion(table.rows[r], header, column, places, found, note))
            questions.push_back(std::move(*question));
    }
    if (!found.empty()) {
        if (!faults)
            throw allFaults(found, fileName);
        *faults = std::move(found);
    } else if (questions.empty()) {
        places.fail(header.line, 0, QCoreApplication::translate("CsvReader", "the file holds no questions, only the header"));
    }
    return questions;
}
