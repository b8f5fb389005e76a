// Loaded into the Access helper with LD_PRELOAD: prints what libmdb prints on
// damaged files (blank lines, a hex dump) on standard output whenever a file
// is opened, to show that the helper's answer keeps a channel of its own.
#include <dlfcn.h>
#include <cstdio>

// libmdb's mdb_open(const char *, MdbFileFlags), its handle left opaque.
extern "C" void *mdb_open(const char *filename, int flags)
{
    std::printf("\n\n0000: 00 01 02 03 04 05 06 07  |........|\n");
    std::fflush(stdout);
    using Open = void *(*)(const char *, int);
    static const auto real = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "mdb_open"));
    return real(filename, flags);
}
