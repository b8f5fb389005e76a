// libFuzzer target: whatever the Access helper process prints (a damaged
// file may make it print anything) becomes a table or a Failure.
#include "accessimport.h"
#include "accessreader.h"
#include "failure.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        const AccessReader::Table table = AccessReader::parse(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)),
                                                              QStringLiteral("fuzz.mdb"), QStringLiteral("soaal"));
        (void)AccessImport::questions(table, QStringLiteral("fuzz.mdb"));
    } catch (const Failure &) {
    }
    return 0;
}
