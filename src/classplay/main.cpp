// mathcontest-class: class play, started by "mathcontest --class" with its
// whole command line.
#include "classhost.h"
#include "game.h"

int main(int argc, char **argv)
{
    return Game::run(argc, argv, {}, [](const QString &folder, const ClassOptions &options, QString &line) {
        auto host = std::make_shared<ClassHost>(folder, options);
        line = host->line();
        return std::shared_ptr<void>(host);
    });
}
