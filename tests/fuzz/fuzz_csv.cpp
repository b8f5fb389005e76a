// libFuzzer target: the question file reader must turn any bytes into
// questions or a Failure, never a crash.
#include "csvreader.h"
#include "failure.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        (void)CsvReader::parse(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)), QStringLiteral("fuzz.csv"));
    } catch (const Failure &) {
    }
    return 0;
}
