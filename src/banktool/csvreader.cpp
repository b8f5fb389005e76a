#include "csvreader.h"
#include "translation.h"

#include "failure.h"
#include "questionfile.h"
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

std::vector<CsvReader::Question> CsvReader::parse(const QByteArray &raw, const QString &fileName, QString *note, std::vector<Failure> *faults)
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

    QuestionFile::Table table;
    table.rows.reserve(state.records.size());
    for (Record &record : state.records) {
        QuestionFile::Row row;
        row.line = record.line;
        row.cells.reserve(record.fields.size());
        for (const QByteArray &field : record.fields)
            row.cells.push_back(QString::fromUtf8(field));
        table.rows.push_back(std::move(row));
    }
    return QuestionFile::questions(std::move(table), fileName, note, faults);
}
