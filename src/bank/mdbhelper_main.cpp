// mathcontest-mdb FILE TABLE: the helper process that reads one table of an
// Access file for AccessReader, so that a damaged file can crash or hang only
// this process. Output on standard output:
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

namespace {

void putEscaped(const std::string &text)
{
    for (const char c : text) {
        switch (c) {
        case '\\': std::fputs("\\\\", stdout); break;
        case '\t': std::fputs("\\t", stdout); break;
        case '\n': std::fputs("\\n", stdout); break;
        case '\r': std::fputs("\\r", stdout); break;
        default: std::fputc(c, stdout);
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
    MdbReader::Fault fault = MdbReader::Fault::None;
    std::string message;
    const MdbReader::Table table = MdbReader::read(argv[1], argv[2], fault, message);
    if (fault != MdbReader::Fault::None) {
        std::printf("ERROR %s ", faultName(fault));
        putEscaped(message);
        std::fputc('\n', stdout);
        return 1;
    }
    std::printf("MDBTABLE 1\n%zu\nC", table.columns.size());
    for (const std::string &name : table.columns) {
        std::fputc('\t', stdout);
        putEscaped(name);
    }
    std::fputc('\n', stdout);
    for (const auto &row : table.rows) {
        std::fputc('R', stdout);
        for (const auto &value : row) {
            std::fputc('\t', stdout);
            if (value)
                putEscaped(*value);
            else
                std::fputs("\\N", stdout);
        }
        std::fputc('\n', stdout);
    }
    std::printf("END %zu\n", table.rows.size());
    return std::fflush(stdout) == 0 ? 0 : 1;
}
