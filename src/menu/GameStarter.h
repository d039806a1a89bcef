#pragma once

// What the world choice needs of the launcher, which lives in the layer above: the launcher is
// found three steps up ("../../..") and starts a game at a world and stage.
class GameStarter {
public:
    virtual ~GameStarter() = default;
    virtual void StartGame(int world, int stage) = 0;
};
