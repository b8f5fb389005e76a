// Peak memory of the game over a whole contest of 25 questions, played from
// the keyboard, against the minimal program's to its first window, each
// process launched alternately; compares the largest of each.
#include "launching.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    // Offscreen unless a platform is named (QT_QPA_PLATFORM=xcb under
    // xvfb-run measures a window system too).
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string contest = std::string(MC_BENCH_APP) + "/contest-played";
    const std::string game = std::string(MC_BENCH_APP) + "/launch_contest";
    const std::string minimal = std::string(MC_BENCH_APP) + "/launch_minimal";
    std::vector<double> gameRss, minimalRss;
    for (int i = 0; i < runs; ++i) {
        // The sample contest afresh: every question unused, no record.
        const std::string copy = "rm -rf '" + contest + "' && mkdir -p '" + contest + "' && cp -r '" MC_BENCH_APP "/img' '" MC_BENCH_APP "/db1.sqlite' '" + contest + "/'";
        if (std::system(copy.c_str()) != 0)
            return 2;
        gameRss.push_back(static_cast<double>(launch(game, {"--hold", contest}).maxRssKb));
        minimalRss.push_back(static_cast<double>(launch(minimal).maxRssKb));
    }
    const double gamePeak = *std::max_element(gameRss.begin(), gameRss.end());
    const double minimalPeak = *std::max_element(minimalRss.begin(), minimalRss.end());
    const double ratio = gamePeak / minimalPeak;
    std::printf("peak memory, the largest of %d runs each (%s):\n", runs, std::getenv("QT_QPA_PLATFORM"));
    std::printf("  mathcontest, a contest of 25 questions   %8.0f KiB\n", gamePeak);
    std::printf("  minimal Qt window                        %8.0f KiB\n", minimalPeak);
    std::printf("  memory ratio %.2f (target <= 1.40)\n", ratio);
    return ratio <= 1.4 ? 0 : 1;
}
