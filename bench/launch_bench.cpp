// Times whole processes from launch to their first window painted, the game
// and the minimal program alternately, and compares medians and peak memory.
#include "launching.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A contest folder with a bank of 100 000 questions (the sample's window
// pictures; question pictures are not needed to show the splash).
std::string largeContest()
{
    const std::string folder = std::string(MC_BENCH_APP) + "/large";
    makeContest(folder, MC_BENCH_APP "/img", 100000);
    return folder;
}

// Launches the game on folder (its own when empty) and the minimal program
// alternately, and prints the medians; gives whether the targets are met.
bool compare(const char *name, const std::string &folder, int runs)
{
    const std::string game = std::string(MC_BENCH_APP) + "/launch_game";
    const std::string minimal = std::string(MC_BENCH_APP) + "/launch_minimal";
    // One of each first, to warm the file cache.
    const std::vector<std::string> arguments = folder.empty() ? std::vector<std::string>{} : std::vector<std::string>{folder};
    launch(game, arguments);
    launch(minimal);
    std::vector<double> gameMs, minimalMs, gameRss, minimalRss;
    for (int i = 0; i < runs; ++i) {
        const Sample g = launch(game, arguments);
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
