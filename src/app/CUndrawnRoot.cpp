#include "app/CUndrawnRoot.h"

CUndrawnRoot::CUndrawnRoot(std::unique_ptr<CGameObject> gameRoot) : gameRoot_(std::move(gameRoot)) {
    name = "undrawn";
}

CUndrawnRoot::~CUndrawnRoot() = default;

bool CUndrawnRoot::Update() {
    if (gameRoot_->active) {
        gameRoot_->Tick();
    }
    gameRoot_->UpdateChildren();
    return true;
}

void CUndrawnRoot::Draw() {
    if (!drawNextFrame) {
        return;
    }
    if (gameRoot_->active) {
        gameRoot_->Draw();
    }
    gameRoot_->DrawChildren();
}
