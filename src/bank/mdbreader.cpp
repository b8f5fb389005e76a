#include "mdbreader.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include <mdbtools.h>

namespace {

// Access files start with a page whose bytes 4..19 name the engine.
bool looksLikeAccess(const std::string &path)
{
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    char header[32] = {};
    const size_t got = std::fread(header, 1, sizeof header, file);
    std::fclose(file);
    return got >= 20 && (std::memcmp(header + 4, "Standard Jet DB", 15) == 0 || std::memcmp(header + 4, "Standard ACE DB", 15) == 0);
}

struct HandleCloser {
    void operator()(MdbHandle *mdb) const { mdb_close(mdb); }
};
struct TableFreer {
    void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
};

} // namespace

MdbReader::Table MdbReader::read(const std::string &path, const std::string &tableName, Fault &fault, std::string &message)
{
    fault = Fault::None;
    Table result;
    if (!looksLikeAccess(path)) {
        fault = Fault::NotAccess;
        message = "the file does not start like a Microsoft Access database";
        return result;
    }
    std::unique_ptr<MdbHandle, HandleCloser> mdb(mdb_open(path.c_str(), MDB_NOFLAGS));
    if (!mdb) {
        fault = Fault::Unreadable;
        message = "the Access engine could not open the file";
        return result;
    }
    mdb_set_boolean_fmt_numbers(mdb.get());
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE)) {
        fault = Fault::Unreadable;
        message = "the list of tables could not be read";
        return result;
    }
    std::string name = tableName;
    std::unique_ptr<MdbTableDef, TableFreer> table(mdb_read_table_by_name(mdb.get(), name.data(), MDB_TABLE));
    if (!table) {
        fault = Fault::NoTable;
        message = "there is no table " + tableName;
        return result;
    }
    if (!mdb_read_columns(table.get())) {
        fault = Fault::Unreadable;
        message = "the columns of table " + tableName + " could not be read";
        return result;
    }
    const unsigned int count = table->num_cols;
    std::vector<std::vector<char>> values(count, std::vector<char>(MDB_BIND_SIZE));
    std::vector<int> lengths(count, 0);
    for (unsigned int i = 0; i < count; ++i) {
        auto *column = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
        result.columns.emplace_back(column->name);
        mdb_bind_column(table.get(), static_cast<int>(i + 1), values[i].data(), &lengths[i]);
    }
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
        std::vector<std::optional<std::string>> row;
        row.reserve(count);
        for (unsigned int i = 0; i < count; ++i) {
            auto *column = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
            if (lengths[i] <= 0 && column->col_type != MDB_BOOL)
                row.emplace_back(std::nullopt);
            else
                row.emplace_back(std::string(values[i].data(), strnlen(values[i].data(), values[i].size())));
        }
        result.rows.push_back(std::move(row));
    }
    return result;
}
