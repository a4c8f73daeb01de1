// The orvet executable: the game in its SDL window.
#include "app/game.h"

int main(int argc, char** argv) {
    return runGame(argc, argv);
}
