// The teacher's program's own start, reporting when its window has painted.
#include "application.h"
#include "teacher.h"

#include <cstdio>
#include <ctime>

int main(int argc, char **argv)
{
    return Teacher::run(argc, argv, [] {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("shown %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
        Application::endProgram(0);
    });
}
