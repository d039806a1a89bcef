#pragma once

#include <cstdint>

// Every read of time, mouse and keyboard goes through one seam, so a test or a
// scripted player can drive the real game with a virtual clock and scripted input.
class InputSeam {
public:
    virtual ~InputSeam() = default;

    // A monotonic millisecond counter; only differences matter.
    virtual uint64_t RawMilliseconds() = 0;
    // Engine key codes 0..99 (see Input.h).
    virtual bool IsKeyDown(int keyCode) = 0;
    // Mouse position in logical 800 x 600 screen coordinates.
    virtual int MouseX() = 0;
    virtual int MouseY() = 0;
    virtual bool IsMouseButtonDown() = 0;
    virtual void SetMousePosition(int x, int y) = 0;
    // Lets the platform deliver input while the caller waits for a key to change.
    virtual void WaitForInput() = 0;
    // Holds the frame until intervalMs have passed since the previous call; never spins.
    virtual void PaceFrame(uint32_t intervalMs) = 0;
    // The frame is complete in the back buffer and about to be presented.
    virtual void BeforePresent() {}
    // The window saw the left button go down (its state may already be up again).
    virtual void NoteButtonPressed() {}
    // Whether the window system's focus rules apply (a scripted run has no desktop).
    virtual bool FollowsWindowFocus() const { return true; }
};

// The seam in use: the SDL one unless a test or the headless driver installed another.
InputSeam& CurrentInputSeam();
// Installs seam (not owned); nullptr goes back to the SDL seam.
void SetInputSeam(InputSeam* seam);
