#pragma once

#include <cstdint>
#include <vector>

#include "game/TutorialEvents.h"
#include "scene/GameObject.h"

// Stands in for the tutorial pages beside a board: it keeps the events gameplay reports, in
// order, and says a page is on screen when a test wants one.
class RecordingTutorials : public CGameObject, public TutorialEvents {
public:
    struct Notification {
        int32_t category = 0;
        int32_t index = 0;
        int32_t related = 0;
        bool operator==(const Notification&) const = default;
    };

    RecordingTutorials() { name = "tutorials"; }

    void NotifyTutorials(int32_t category, int32_t index, int32_t related) override {
        notifications.push_back({category, index, related});
    }
    bool IsShowing() const override { return showing; }

    std::vector<Notification> notifications;
    bool showing = false;
};
