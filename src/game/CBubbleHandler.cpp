#include "game/CBubbleHandler.h"

CBubbleHandler::~CBubbleHandler() {
    for (CGameObject* bubble : children) {
        delete bubble;
    }
    children.clear();
}
