#pragma once

#include <optional>
#include <string>
#include <vector>

// The one place that speaks to libmdb: opens an Access file (Jet 3, Jet 4 or
// ACE), finds a table by name and gives its columns by name and its rows of
// values as UTF-8 text (NULL as no value, booleans as "1" and "0"). Jet 3
// text is converted from the code page the file names (Windows-1256 for
// Arabic banks), Jet 4 and ACE text from Unicode.
// libmdb is not safe on damaged files, so this runs only in the helper
// process that AccessReader starts.
class MdbReader {
public:
    enum class Fault { None, NotAccess, Unreadable, NoTable };

    struct Table {
        std::vector<std::string> columns;
        std::vector<std::vector<std::optional<std::string>>> rows;
    };

    // On a fault, fault says which and message says what libmdb reported.
    static Table read(const std::string &path, const std::string &table, Fault &fault, std::string &message);
};
