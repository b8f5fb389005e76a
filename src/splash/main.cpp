#include "game.h"

int main(int argc, char **argv)
{
    return Game::run(argc, argv);
}
