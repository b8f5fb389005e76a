// Times whole processes from launch to their first window painted, the game
// and the minimal program alternately, and compares medians and peak memory.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

long long nowNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

struct Sample {
    double ms;
    long maxRssKb;
};

Sample launch(const std::string &program, const std::string &argument = {})
{
    int out[2];
    if (pipe(out) != 0)
        std::exit(2);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char *argv[] = {const_cast<char *>(program.c_str()), argument.empty() ? nullptr : const_cast<char *>(argument.c_str()), nullptr};
    const long long start = nowNs();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        std::exit(2);
    }
    close(out[1]);
    std::string text;
    char buffer[256];
    ssize_t n;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<size_t>(n));
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    posix_spawn_file_actions_destroy(&actions);
    const auto at = text.find("shown ");
    if (at == std::string::npos || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not report its window (status %d): %s\n", program.c_str(), status, text.c_str());
        std::exit(2);
    }
    const long long shown = std::atoll(text.c_str() + at + 6);
    return {static_cast<double>(shown - start) / 1e6, usage.ru_maxrss};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A contest folder with a bank of 100 000 questions (the sample's window
// pictures; question pictures are not needed to show the splash).
std::string largeContest()
{
    const std::string folder = std::string(MC_BENCH_APP) + "/large";
    const std::string make = "rm -rf '" + folder + "' && mkdir -p '" + folder + "' && cp -r '" MC_BENCH_APP "/img' '" + folder +
        "/img' && sqlite3 '" + folder + "/db1.sqlite' \"create table soaal (ID INTEGER PRIMARY KEY, YN BOOLEAN NOT NULL DEFAULT 0, "
        "a1 TEXT, a2 TEXT, a3 TEXT, a4 TEXT); create index soaal_yn on soaal(YN); with recursive c(x) as (select 1 union all "
        "select x + 1 from c where x < 100000) insert into soaal select x, 0, 'a' || x, 'b', 'c', 'd' from c;\"";
    if (std::system(make.c_str()) != 0)
        std::exit(2);
    return folder;
}

// Launches the game on folder (its own when empty) and the minimal program
// alternately, and prints the medians; gives whether the targets are met.
bool compare(const char *name, const std::string &folder, int runs)
{
    const std::string game = std::string(MC_BENCH_APP) + "/launch_game";
    const std::string minimal = std::string(MC_BENCH_APP) + "/launch_minimal";
    // One of each first, to warm the file cache.
    launch(game, folder);
    launch(minimal);
    std::vector<double> gameMs, minimalMs, gameRss, minimalRss;
    for (int i = 0; i < runs; ++i) {
        const Sample g = launch(game, folder);
        const Sample m = launch(minimal);
        gameMs.push_back(g.ms);
        minimalMs.push_back(m.ms);
        gameRss.push_back(static_cast<double>(g.maxRssKb));
        minimalRss.push_back(static_cast<double>(m.maxRssKb));
    }
    const double timeRatio = median(gameMs) / median(minimalMs);
    const double memoryRatio = *std::max_element(gameRss.begin(), gameRss.end()) / *std::max_element(minimalRss.begin(), minimalRss.end());
    std::printf("%s: launch to first window painted, median of %d runs each (%s):\n", name, runs, std::getenv("QT_QPA_PLATFORM"));
    std::printf("  mathcontest splash   %8.1f ms   peak memory %8.0f KiB\n", median(gameMs), *std::max_element(gameRss.begin(), gameRss.end()));
    std::printf("  minimal Qt window    %8.1f ms   peak memory %8.0f KiB\n", median(minimalMs), *std::max_element(minimalRss.begin(), minimalRss.end()));
    std::printf("  time ratio   %.2f (target <= 1.30)\n", timeRatio);
    std::printf("  memory ratio %.2f (target <= 1.50)\n", memoryRatio);
    return timeRatio <= 1.3 && memoryRatio <= 1.5;
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 21;
    // Offscreen unless a platform is named (QT_QPA_PLATFORM=xcb under
    // xvfb-run measures a window system too).
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const bool sample = compare("the sample bank", std::string(), runs);
    const bool large = compare("100 000 questions", largeContest(), runs);
    return sample && large ? 0 : 1;
}
