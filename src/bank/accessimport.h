#pragma once

#include "accessreader.h"
#include "bankfile.h"
#include "contestfolder.h"

#include <QString>
#include <vector>

// Turns an Access question bank (table soaal: ID, YN, a1..a4) into the
// game's bank. The Access file is only ever read.
class AccessImport {
public:
    static constexpr auto kAccessFileName = ContestFolder::kAccessFileName;

    // The questions of table soaal in ID order, checked: every field there,
    // IDs whole numbers exactly 1..N, YN a boolean. Throws a Failure naming
    // the file and the row or question.
    static std::vector<BankFile::Answers> questions(const AccessReader::Table &table, const QString &path);

    // Reads table soaal of mdbPath and writes the bank at bankPath, whole or
    // not at all; an existing bank is replaced only when replace is true.
    // Gives the number of questions.
    static int importFile(const QString &mdbPath, const QString &bankPath, bool replace, const QString &helper = QString());

    // The record of an Access file that a bank imported from it keeps: where
    // the file is, its size and when it was last changed.
    static QString sourceRecord(const QString &mdbPath);

    // A contest folder that holds db1.mdb gets its bank imported from it when
    // it has no db1.sqlite; a db1.sqlite imported from an Access file (of any
    // name, wherever it is) is imported again when that file has changed
    // since (the old bank is replaced only when the new import succeeds). A
    // bank made otherwise is never replaced. Gives whether it imported.
    static bool importIfChanged(const QString &contestFolder, const QString &helper = QString());
};
