// Launching a program and timing it to its first window painted, as the
// launch benchmarks do: the program prints "shown NANOSECONDS" (monotonic
// clock) once its window has painted, and its peak memory is read when it
// ends.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

inline long long nowNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

struct Sample {
    double ms;
    long maxRssKb;
};

// Runs program with arguments to its end; the time from launch to its
// report of the window shown, and its peak memory.
inline Sample launch(const std::string &program, const std::vector<std::string> &arguments = {})
{
    int out[2];
    if (pipe(out) != 0)
        std::exit(2);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<char *> argv{const_cast<char *>(program.c_str())};
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    const long long start = nowNs();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
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

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A contest folder at path with a bank of questions questions (the
// window pictures of the folder at pictures; no question pictures).
inline void makeContest(const std::string &path, const std::string &pictures, int questions)
{
    const std::string make = "rm -rf '" + path + "' && mkdir -p '" + path + "' && cp -r '" + pictures + "' '" + path +
        "/img' && sqlite3 '" + path + "/db1.sqlite' \"create table soaal (ID INTEGER PRIMARY KEY, YN BOOLEAN NOT NULL DEFAULT 0, "
        "a1 TEXT, a2 TEXT, a3 TEXT, a4 TEXT); create index soaal_yn on soaal(YN); with recursive c(x) as (select 1 union all "
        "select x + 1 from c where x < " + std::to_string(questions) + ") insert into soaal select x, 0, 'a' || x, 'b', 'c', 'd' from c;\"";
    if (std::system(make.c_str()) != 0)
        std::exit(2);
}
