#pragma once

#include <cstdint>

#include "scene/GameObject.h"

// What gameplay needs of the tutorial pages, which live in a layer above it: somewhere to
// report the events that may open a page, and whether a page is on screen (play waits then).
// The board finds the implementation at "../tutorials".
class TutorialEvents {
public:
    virtual ~TutorialEvents() = default;
    virtual void NotifyTutorials(int32_t category, int32_t index, int32_t related) = 0;
    virtual bool IsShowing() const = 0;
};

// Reports an event to the pages that object finds at "../tutorials", when there are any.
inline void NotifyTutorialsFrom(CGameObject& object, int32_t category, int32_t index, int32_t related) {
    if (auto* tutorials = dynamic_cast<TutorialEvents*>(object.Find("../tutorials"))) {
        tutorials->NotifyTutorials(category, index, related);
    }
}
