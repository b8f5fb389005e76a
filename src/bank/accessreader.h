#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// Reads one table of an Access file (.mdb or .accdb) through the helper
// process mathcontest-mdb, under a time limit: a file that crashes or hangs
// the Access engine, or makes it print garbage, becomes a Failure that names
// the file. Values come as text (a null QVariant for NULL).
class AccessReader {
public:
    static constexpr int kTimeLimitMs = 20000;
    static constexpr auto kHelperName = "mathcontest-mdb";

    struct Table {
        QStringList columns;
        QList<QList<QVariant>> rows;

        // The index of a column by name, case-insensitively; -1 if none.
        qsizetype column(const QString &name) const;
    };

    // helper: the helper program; empty means the one beside this program.
    static Table readTable(const QString &path, const QString &table, const QString &helper = QString(),
                           int timeLimitMs = kTimeLimitMs);

    // Parses the helper's output (exposed for tests and fuzzing).
    static Table parse(const QByteArray &output, const QString &path, const QString &table);
};
