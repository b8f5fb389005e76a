#include "csvreader.h"
#include "translation.h"

#include "failure.h"
#include "regularfile.h"

#include <QStringDecoder>

#include <csv.h>

#include <algorithm>
#include <QCoreApplication>

namespace {

// What the CSV parser's error means, in the user's words.
QString parserError(int error)
{
    switch (error) {
    case CSV_EPARSE:
        return QCoreApplication::translate("CsvReader", "a quotation mark stands inside a field that does not begin with one, or a quoted field never ends");
    case CSV_ETOOBIG:
        return QCoreApplication::translate("CsvReader", "a field is too large");
    case CSV_ENOMEM:
        return QCoreApplication::translate("CsvReader", "not enough memory to read it");
    default:
        return QCoreApplication::translate("CsvReader", "the file could not be read as CSV");
    }
}

// Translated when asked, after the translator is installed.
QString advice()
{
    return QCoreApplication::translate("CsvReader", "Correct the question file and run the command again.");
}

struct Record {
    int line = 0;
    std::vector<QByteArray> fields;
};

struct ParseState {
    int currentLine = 1;
    int lastRecordEndLine = 0;
    Record record;
    std::vector<Record> records;
};

void onField(void *data, size_t length, void *context)
{
    auto *state = static_cast<ParseState *>(context);
    const QByteArray field(static_cast<const char *>(data), static_cast<qsizetype>(length));
    if (state->record.fields.empty())
        state->record.line = state->currentLine - static_cast<int>(field.count('\n'));
    state->record.fields.push_back(field);
}

void onRecordEnd(int, void *context)
{
    auto *state = static_cast<ParseState *>(context);
    if (!state->record.fields.empty())
        state->records.push_back(std::move(state->record));
    state->lastRecordEndLine = state->currentLine;
    state->record = Record();
}

[[noreturn]] void fail(const QString &fileName, int line, const QString &what)
{
    throw Failure(QStringLiteral("%1:%2: %3").arg(Translation::isolate(fileName)).arg(line).arg(what), QCoreApplication::translate("CsvReader", "%1, line %2").arg(Translation::isolate(fileName)).arg(line),
                  advice());
}

// The first line that does not hold valid UTF-8, or 0.
int firstBadUtf8Line(const QByteArray &data)
{
    int line = 1;
    qsizetype start = 0;
    while (start <= data.size()) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(QByteArrayView(data).sliced(start, end - start));
        if (decoder.hasError())
            return line;
        ++line;
        start = end + 1;
    }
    return 0;
}

bool hasArabicLetter(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.script() == QChar::Script_Arabic && c.isLetter(); });
}

// Whether text is Arabic (letters, its punctuation and digits) wherever it
// is not ASCII.
bool readsAsArabic(const QString &text)
{
    return hasArabicLetter(text) && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x80 || (u >= 0x0600 && u <= 0x06FF) || (u >= 0xFB50 && u <= 0xFDFF) || (u >= 0xFE70 && u <= 0xFEFF);
    });
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

// The separator of the header line: comma, semicolon (spreadsheets in
// locales with a decimal comma) or tab, whichever it holds most of.
char separator(const QByteArray &data)
{
    const QByteArray first = data.left(data.indexOf('\n'));
    char best = ',';
    for (const char candidate : {';', '\t'}) {
        if (first.count(candidate) > first.count(best))
            best = candidate;
    }
    return best;
}

} // namespace

std::vector<CsvReader::Question> CsvReader::read(const QString &path, QString *note)
{
    return parse(readFile(path), path, note);
}

QByteArray CsvReader::readFile(const QString &path)
{
    return RegularFile::read(path, QCoreApplication::translate("CsvReader", "The question file"), QCoreApplication::translate("CsvReader", "Check the path of the question file."),
                             kMaxFileBytes);
}

bool CsvReader::isBlank(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.isSpace() || c.category() == QChar::Other_Format || c.category() == QChar::Other_Control;
    });
}

QByteArray CsvReader::toUtf8(const QByteArray &raw, QString *note, const QString &fileName)
{
    // UTF-16 says so with its byte-order mark; a character it cannot be (a
    // lone half of a surrogate pair) is a fault of the file, never a "?".
    if (raw.startsWith("\xFF\xFE") || raw.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(raw.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        const QString text = decoder.decode(QByteArrayView(raw).sliced(2));
        qsizetype bad = decoder.hasError() ? text.indexOf(QChar(QChar::ReplacementCharacter)) : -1;
        for (qsizetype i = 0; bad < 0 && i < text.size(); ++i) {
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
            else if (text[i].isSurrogate())
                bad = i;
        }
        if (bad >= 0 || decoder.hasError()) {
            fail(fileName, int(text.left(std::max<qsizetype>(bad, 0)).count(u'\n')) + 1,
                 QCoreApplication::translate("CsvReader", "the file says it is UTF-16, but this line holds what UTF-16 cannot be; save the file again as UTF-8"));
        }
        return text.toUtf8();
    }
    QByteArray data = raw.startsWith("\xEF\xBB\xBF") ? raw.mid(3) : raw;
    QStringDecoder arabicWindows("windows-1256");
    if (firstBadUtf8Line(data) == 0) {
        // Valid UTF-8 without an Arabic letter that reads as Arabic in
        // Windows-1256 could be either: read as UTF-8, and said so.
        const QString asWindows = arabicWindows.decode(data);
        if (note && !raw.startsWith("\xEF\xBB\xBF") && !hasArabicLetter(QString::fromUtf8(data)) && readsAsArabic(asWindows))
            *note = QCoreApplication::translate("CsvReader", "the file was read as UTF-8; it could also be Windows-1256 (Arabic Windows), where it reads as Arabic. If "
                                                             "the questions look wrong, save the file as UTF-8 and make the bank again");
        return data;
    }
    // Not UTF-8: what spreadsheets on Arabic Windows write.
    if (note)
        *note = QCoreApplication::translate("CsvReader", "the file is not UTF-8; it was read as Windows-1256 (Arabic Windows)");
    return QString(arabicWindows.decode(data)).toUtf8();
}

std::vector<CsvReader::Question> CsvReader::parse(const QByteArray &raw, const QString &fileName, QString *note)
{
    QByteArray data = toUtf8(raw, note, fileName);
    // Lines ended by a carriage return alone (old Macintosh spreadsheets).
    if (data.contains('\r') && !data.contains('\n'))
        data.replace('\r', '\n');

    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
        throw Failure(QCoreApplication::translate("CsvReader", "The CSV reader could not start."), fileName, advice());
    csv_set_delim(&parser, separator(data));
    ParseState state;
    qsizetype start = 0;
    bool ok = true;
    while (ok && start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        end = end < 0 ? data.size() : end + 1;
        // Fed a line at a time, so a field's line is known when it ends.
        const size_t chunk = static_cast<size_t>(end - start);
        ok = csv_parse(&parser, data.constData() + start, chunk, onField, onRecordEnd, &state) == chunk;
        if (ok && data[end - 1] == '\n')
            ++state.currentLine;
        start = end;
    }
    if (ok)
        ok = csv_fini(&parser, onField, onRecordEnd, &state) == 0;
    const int error = csv_error(&parser);
    csv_free(&parser);
    if (!ok)
        fail(fileName, state.record.fields.empty() ? state.lastRecordEndLine + 1 : state.record.line,
             QCoreApplication::translate("CsvReader", "the CSV is malformed (%1)").arg(parserError(error)));

    // Rows with every field empty are left out, and so are empty columns at
    // the end of the header (spreadsheets write both).
    std::erase_if(state.records, [](const Record &record) {
        return std::all_of(record.fields.begin(), record.fields.end(), [](const QByteArray &f) { return f.trimmed().isEmpty(); });
    });
    if (state.records.empty())
        fail(fileName, 1, QCoreApplication::translate("CsvReader", "the file is empty; it needs the header %1").arg(headerHelp()));
    Record header = state.records.front();
    while (!header.fields.empty() && header.fields.back().trimmed().isEmpty())
        header.fields.pop_back();

    // The header names the columns, in English or in Arabic.
    int column[6] = {-1, -1, -1, -1, -1, -1}; // question, a1..a4, picture
    bool known = false;
    for (size_t i = 0; i < header.fields.size(); ++i)
        known = known || columnOf(QString::fromUtf8(header.fields[i])) >= 0;
    if (!known)
        fail(fileName, header.line, QCoreApplication::translate("CsvReader", "the first line is not a header; the file must start with the header %1").arg(headerHelp()));
    for (size_t i = 0; i < header.fields.size(); ++i) {
        const QString name = QString::fromUtf8(header.fields[i]).trimmed();
        const int which = columnOf(name);
        if (which < 0)
            fail(fileName, header.line, QCoreApplication::translate("CsvReader", "unknown column \"%1\"; the header is %2").arg(Translation::isolate(name), headerHelp()));
        if (column[which] >= 0)
            fail(fileName, header.line, QCoreApplication::translate("CsvReader", "column \"%1\" appears twice").arg(Translation::isolate(name)));
        column[which] = static_cast<int>(i);
    }
    for (int i = 0; i < 5; ++i) {
        if (column[i] < 0)
            fail(fileName, header.line, QCoreApplication::translate("CsvReader", "the header has no column \"%1\"").arg(kColumns[i][0]));
    }

    std::vector<Question> questions;
    questions.reserve(state.records.size() - 1);
    for (size_t r = 1; r < state.records.size(); ++r) {
        Record &record = state.records[r];
        while (record.fields.size() > header.fields.size() && record.fields.back().trimmed().isEmpty())
            record.fields.pop_back();
        if (record.fields.size() != header.fields.size())
            fail(fileName, record.line,
                 QCoreApplication::translate("CsvReader", "expected %1, found %2")
                     .arg(QCoreApplication::translate("CsvReader", "%n column(s)", nullptr, int(header.fields.size())),
                          QCoreApplication::translate("CsvReader", "%n column(s)", nullptr, int(record.fields.size()))));
        Question question;
        question.line = record.line;
        auto field = [&](int which) {
            return column[which] < 0 ? QString() : QString::fromUtf8(record.fields[static_cast<size_t>(column[which])]);
        };
        question.question = field(0).trimmed();
        // Answers and the picture's path as the file has them: a quoted
        // field keeps its blanks, an unquoted one comes without the spaces
        // and tabs at its ends (the CSV reader drops them, as spreadsheets
        // do). An answer must show something on its button.
        for (int a = 0; a < 4; ++a) {
            question.answers[a] = field(a + 1);
            if (isBlank(question.answers[a]))
                fail(fileName, record.line, QCoreApplication::translate("CsvReader", "answer a%1 is empty").arg(a + 1));
        }
        question.picture = field(5);
        if (question.question.isEmpty() && question.picture.isEmpty())
            fail(fileName, record.line, QCoreApplication::translate("CsvReader", "the question has neither text nor a picture"));
        questions.push_back(std::move(question));
    }
    if (questions.empty())
        fail(fileName, header.line, QCoreApplication::translate("CsvReader", "the file holds no questions, only the header"));
    return questions;
}
