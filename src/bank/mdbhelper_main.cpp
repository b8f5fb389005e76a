// mathcontest-mdb FILE TABLE: the helper process that reads one table of an
// Access file for AccessReader, so that a damaged file can crash or hang only
// this process. The Access library prints notes and hex dumps of damaged
// pages on standard output: that goes to standard error, and the answer
// keeps the original standard output to itself:
//   MDBTABLE 1
//   <number of columns>
//   C <name> ...            one line, fields separated by tabs
//   R <value> ...           one line a row; \N is NULL
//   END <number of rows>
// or, on a fault: ERROR <not-access|unreadable|no-table> <message>
// Tabs, newlines and backslashes inside names and values are escaped as
// \t, \n, \r and \\.
#include "mdbreader.h"

#include <cstdio>
#include <string>

#include <unistd.h>

namespace {

std::FILE *g_answer = stdout;

void putEscaped(const std::string &text)
{
    for (const char c : text) {
        switch (c) {
        case '\\': std::fputs("\\\\", g_answer); break;
        case '\t': std::fputs("\\t", g_answer); break;
        case '\n': std::fputs("\\n", g_answer); break;
        case '\r': std::fputs("\\r", g_answer); break;
        default: std::fputc(c, g_answer);
        }
    }
}

const char *faultName(MdbReader::Fault fault)
{
    switch (fault) {
    case MdbReader::Fault::NotAccess: return "not-access";
    case MdbReader::Fault::NoTable: return "no-table";
    default: return "unreadable";
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("usage: mathcontest-mdb FILE TABLE\n", stderr);
        return 2;
    }
    // The answer gets a descriptor of its own; the library's standard output
    // becomes standard error.
    const int answer = dup(STDOUT_FILENO);
    if (answer < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0 || !(g_answer = fdopen(answer, "w"))) {
        std::perror("mathcontest-mdb");
        return 1;
    }
    MdbReader::Fault fault = MdbReader::Fault::None;
    std::string message;
    const MdbReader::Table table = MdbReader::read(argv[1], argv[2], fault, message);
    if (fault != MdbReader::Fault::None) {
        std::fprintf(g_answer, "ERROR %s ", faultName(fault));
        putEscaped(message);
        std::fputc('\n', g_answer);
        return 1;
    }
    std::fprintf(g_answer, "MDBTABLE 1\n%zu\nC", table.columns.size());
    for (const std::string &name : table.columns) {
        std::fputc('\t', g_answer);
        putEscaped(name);
    }
    std::fputc('\n', g_answer);
    for (const auto &row : table.rows) {
        std::fputc('R', g_answer);
        for (const auto &value : row) {
            std::fputc('\t', g_answer);
            if (value)
                putEscaped(*value);
            else
                std::fputs("\\N", g_answer);
        }
        std::fputc('\n', g_answer);
    }
    std::fprintf(g_answer, "END %zu\n", table.rows.size());
    return std::fflush(g_answer) == 0 ? 0 : 1;
}
