// Times the teacher's program from launch to its first window painted, on
// contests of 1 000 and 100 000 questions, and the minimal program,
// alternately, and compares the medians.
#include "launching.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Gives whether the teacher's window came within twice the minimal one's time.
bool compare(int questions, int runs)
{
    const std::string folder = std::string(MC_BENCH_APP) + "/teacher-" + std::to_string(questions);
    makeContest(folder, MC_BENCH_APP "/img", questions);
    const std::string teacher = std::string(MC_BENCH_APP) + "/launch_teacher";
    const std::string minimal = std::string(MC_BENCH_APP) + "/launch_minimal";
    // One of each first, to warm the file cache.
    launch(teacher, {folder});
    launch(minimal);
    std::vector<double> teacherMs, minimalMs;
    for (int i = 0; i < runs; ++i) {
        teacherMs.push_back(launch(teacher, {folder}).ms);
        minimalMs.push_back(launch(minimal).ms);
    }
    const double ratio = median(teacherMs) / median(minimalMs);
    std::printf("%d questions: launch to first window painted, median of %d runs each (%s):\n", questions, runs, std::getenv("QT_QPA_PLATFORM"));
    std::printf("  teacher's window     %8.1f ms\n", median(teacherMs));
    std::printf("  minimal Qt window    %8.1f ms\n", median(minimalMs));
    std::printf("  time ratio   %.2f (target <= 2.00)\n", ratio);
    return ratio <= 2.0;
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 11;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const bool small = compare(1000, runs);
    const bool large = compare(100000, runs);
    return small && large ? 0 : 1;
}
