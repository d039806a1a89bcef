#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "flow/TutorialIllustration.h"

// One tutorial page, or the well-done marker of an item's page: the event that triggers it and
// the entries its closing enables and disables (0 names none).
struct TutorialEntry {
    static constexpr const char* WellDoneText = "welldoneanim";

    std::string text;
    TutorialIllustration illustration;
    int32_t enable1 = 0;
    int32_t enable2 = 0;
    int32_t disable1 = 0;
    int32_t disable2 = 0;
    int32_t category = 0;
    int32_t index = 0;
    int32_t related = 0;
    bool enabled = false;

    bool IsWellDone() const { return text == WellDoneText; }
};

// The entries of a world's pages by id, in the order triggers are matched: every page enabled,
// every well-done marker disabled until its page was closed once. Worlds 5 and 8 (and any
// number outside 1..8) have none.
std::map<int32_t, TutorialEntry> TutorialEntriesFor(int world);
// Every picture the pages draw, to be loaded before play rather than during it.
std::vector<std::string> TutorialPagePictures();
