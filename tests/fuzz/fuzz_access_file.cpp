// libFuzzer target: any bytes named db1.mdb go through the whole Access
// boundary (the helper process with its time limit, then the parser). The
// helper may crash; this process must not.
#include "accessreader.h"
#include "failure.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {
// Made once and never destroyed: libFuzzer ends the process through exit(),
// after Qt's own globals are gone.
QCoreApplication *g_app = nullptr;
QTemporaryDir *g_dir = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    g_app = new QCoreApplication(*argc, *argv);
    g_dir = new QTemporaryDir;
    g_dir->setAutoRemove(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = g_dir->filePath(QStringLiteral("db1.mdb"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    file.close();
    try {
        (void)AccessReader::readTable(path, QStringLiteral("soaal"), QStringLiteral(MC_MDB_HELPER), 2000);
    } catch (const Failure &) {
    }
    return 0;
}
