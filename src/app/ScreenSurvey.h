#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>

#include "app/RandomInput.h"

class CLauncher;

// What a soak run sees of the launcher's screens: which of them show at a tick, and where the
// things that take a click are; and a tally of the screens shown over the run.
class ScreenSurvey {
public:
    enum Screen : int {
        Intro,
        MainMenu,
        Options,
        Credits,
        WorldChoice,
        WorldPresentation,
        Play,
        GameMenu,
        GameOver,
        EndScreen,
        Farewell,
        ScreenCount
    };
    using Showing = std::bitset<ScreenCount>;

    static const char* Name(int screen);
    static Showing ShowingNow(CLauncher& launcher);
    // QUIT is avoided, unless leaving: then it, the menu button of the play screen and GO TO MAIN
    // are what the input is after.
    static RandomInput::Spots SpotsNow(CLauncher& launcher, bool leaving);

    // One tick's screens: a screen that was not showing the tick before is entered again.
    void Count(const Showing& showing);
    // "intro 1/212 main-menu 40/5321 ...": entries/ticks of every screen.
    std::string Summary() const;
    // The screens never entered, by name; empty when every one was.
    std::string Unseen() const;
    int Seen() const;
    bool AllSeenBut(Screen screen) const;

private:
    std::array<uint32_t, ScreenCount> entries_{};
    std::array<uint32_t, ScreenCount> ticks_{};
    Showing last_;
};
