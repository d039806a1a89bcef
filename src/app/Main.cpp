#include "app/CommandLine.h"
#include "app/GameStartup.h"

int main(int argc, char** argv) {
    if (const std::optional<int> exitCode = AnswerInformationArguments(argc, argv)) {
        return *exitCode;
    }
    return RunGame(JoinArguments(argc, argv), MakeGameRoot);
}
