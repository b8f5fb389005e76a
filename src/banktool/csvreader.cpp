#include "csvreader.h"

#include "failure.h"
#include "regularfile.h"

#include <QStringDecoder>

#include <csv.h>

namespace {

const QString kAdvice = QStringLiteral("Correct the question file and run the command again.");

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
    throw Failure(QStringLiteral("%1:%2: %3").arg(fileName).arg(line).arg(what), QStringLiteral("%1, line %2").arg(fileName).arg(line),
                  kAdvice);
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

} // namespace

std::vector<CsvReader::Question> CsvReader::read(const QString &path)
{
    constexpr qint64 kMaxQuestionFileBytes = 64LL * 1024 * 1024;
    return parse(RegularFile::read(path, QStringLiteral("The question file"), QStringLiteral("Check the path of the question file."),
                                   kMaxQuestionFileBytes),
                 path);
}

std::vector<CsvReader::Question> CsvReader::parse(const QByteArray &raw, const QString &fileName)
{
    QByteArray data = raw;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    if (const int bad = firstBadUtf8Line(data))
        fail(fileName, bad, QStringLiteral("the text is not valid UTF-8; save the file as UTF-8"));

    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
        throw Failure(QStringLiteral("The CSV reader could not start."), fileName, kAdvice);
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
             QStringLiteral("the CSV is malformed (%1)").arg(QString::fromUtf8(csv_strerror(error))));

    if (state.records.empty())
        fail(fileName, 1, QStringLiteral("the file is empty; it needs the header question,a1,a2,a3,a4"));

    // The header names the columns.
    const Record &header = state.records.front();
    int column[6] = {-1, -1, -1, -1, -1, -1}; // question, a1..a4, picture
    const QStringList names{QStringLiteral("question"), QStringLiteral("a1"), QStringLiteral("a2"),
                            QStringLiteral("a3"), QStringLiteral("a4"), QStringLiteral("picture")};
    for (size_t i = 0; i < header.fields.size(); ++i) {
        const QString name = QString::fromUtf8(header.fields[i]).trimmed().toLower();
        const qsizetype which = names.indexOf(name);
        if (which < 0)
            fail(fileName, header.line, QStringLiteral("unknown column \"%1\"; the header is question,a1,a2,a3,a4 and, if wanted, picture").arg(name));
        if (column[which] >= 0)
            fail(fileName, header.line, QStringLiteral("column \"%1\" appears twice").arg(name));
        column[which] = static_cast<int>(i);
    }
    for (int i = 0; i < 5; ++i) {
        if (column[i] < 0)
            fail(fileName, header.line, QStringLiteral("the header has no column \"%1\"").arg(names[i]));
    }

    std::vector<Question> questions;
    questions.reserve(state.records.size() - 1);
    for (size_t r = 1; r < state.records.size(); ++r) {
        const Record &record = state.records[r];
        if (record.fields.size() != header.fields.size())
            fail(fileName, record.line,
                 QStringLiteral("expected %1 columns, found %2").arg(header.fields.size()).arg(record.fields.size()));
        Question question;
        question.line = record.line;
        auto field = [&](int which) {
            return column[which] < 0 ? QString() : QString::fromUtf8(record.fields[static_cast<size_t>(column[which])]);
        };
        question.question = field(0).trimmed();
        // Answers are kept as written, blanks and all.
        for (int a = 0; a < 4; ++a) {
            question.answers[a] = field(a + 1);
            if (question.answers[a].trimmed().isEmpty())
                fail(fileName, record.line, QStringLiteral("answer a%1 is empty").arg(a + 1));
        }
        question.picture = field(5).trimmed();
        if (question.question.isEmpty() && question.picture.isEmpty())
            fail(fileName, record.line, QStringLiteral("the question has neither text nor a picture"));
        questions.push_back(std::move(question));
    }
    if (questions.empty())
        fail(fileName, header.line, QStringLiteral("the file holds no questions, only the header"));
    return questions;
}
