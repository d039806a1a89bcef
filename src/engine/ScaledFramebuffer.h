#pragma once

// At a smooth (not whole) scale the screen is drawn at its own size into a framebuffer of its own
// and scaled onto the window in one linear pass: drawn straight onto the window, pictures sampled
// nearest would show some pixels wider than others, and sampled linearly they would show seams
// where a picture is drawn in parts. Needs framebuffer objects (OpenGL 3.0 or
// GL_ARB_framebuffer_object); without them the screen is drawn straight onto the window.
class ScaledFramebuffer {
public:
    ScaledFramebuffer() = default;
    ~ScaledFramebuffer() = default;  // Release it while its context is current
    ScaledFramebuffer(const ScaledFramebuffer&) = delete;
    ScaledFramebuffer& operator=(const ScaledFramebuffer&) = delete;

    // Makes it in the current context once; false when this OpenGL has no framebuffer objects.
    bool Make(int width, int height);
    void Release();
    unsigned int Id() const { return framebuffer_; }

private:
    unsigned int framebuffer_ = 0;
    unsigned int colour_ = 0;
    bool unavailable_ = false;
};

// Where the following draws go: a ScaledFramebuffer's id, or 0 for the window.
void DrawIntoFramebuffer(unsigned int framebuffer);
// The framebuffer reads come from now (0: the window).
unsigned int ReadFramebuffer();
void ReadFromFramebuffer(unsigned int framebuffer);
// Scales the framebuffer's width x height pixels linearly onto the window's rectangle at x, y
// (from the bottom left) of width x height; draws go to the framebuffer again afterwards.
void ScaleOntoWindow(unsigned int framebuffer, int width, int height, int windowX, int windowY,
                     int windowWidth, int windowHeight);
