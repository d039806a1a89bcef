#include "app/GameStartup.h"

int main(int argc, char** argv) {
    return RunGame(JoinArguments(argc, argv), MakeGameRoot);
}
