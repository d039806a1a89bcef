#include "engine/ScaledFramebuffer.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <cstdio>

namespace {

// Process-wide: every context of the process comes from the same driver.
struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
    PFNGLBLITFRAMEBUFFERPROC blitFramebuffer = nullptr;
} gl;

template <typename Function>
bool Look(Function& function, const char* name) {
    function = reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
    return function != nullptr;
}

bool LoadCalls() {
    int major = 0;
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const bool recent = version && std::sscanf(version, "%d", &major) == 1 && major >= 3;
    if (!recent && !SDL_GL_ExtensionSupported("GL_ARB_framebuffer_object")) {
        return false;
    }
    return Look(gl.genFramebuffers, "glGenFramebuffers") &&
           Look(gl.deleteFramebuffers, "glDeleteFramebuffers") &&
           Look(gl.bindFramebuffer, "glBindFramebuffer") && Look(gl.genRenderbuffers, "glGenRenderbuffers") &&
           Look(gl.deleteRenderbuffers, "glDeleteRenderbuffers") &&
           Look(gl.bindRenderbuffer, "glBindRenderbuffer") &&
           Look(gl.renderbufferStorage, "glRenderbufferStorage") &&
           Look(gl.framebufferRenderbuffer, "glFramebufferRenderbuffer") &&
           Look(gl.checkFramebufferStatus, "glCheckFramebufferStatus") &&
           Look(gl.blitFramebuffer, "glBlitFramebuffer");
}

}  // namespace

bool ScaledFramebuffer::Make(int width, int height) {
    if (framebuffer_ != 0 || unavailable_) {
        return framebuffer_ != 0;
    }
    unavailable_ = !LoadCalls();
    if (unavailable_) {
        gl = {};
        return false;
    }
    gl.genRenderbuffers(1, &colour_);
    gl.bindRenderbuffer(GL_RENDERBUFFER, colour_);
    gl.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    gl.genFramebuffers(1, &framebuffer_);
    gl.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    const bool complete = gl.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete) {
        Release();
        unavailable_ = true;
    }
    return complete;
}

void ScaledFramebuffer::Release() {
    if (framebuffer_ != 0) {
        gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
        gl.deleteFramebuffers(1, &framebuffer_);
        gl.deleteRenderbuffers(1, &colour_);
    }
    framebuffer_ = 0;
    colour_ = 0;
}

void DrawIntoFramebuffer(unsigned int framebuffer) {
    if (gl.bindFramebuffer) {
        gl.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    }
}

unsigned int ReadFramebuffer() {
    GLint bound = 0;
    if (gl.bindFramebuffer) {
        glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &bound);
    }
    return static_cast<unsigned int>(bound);
}

void ReadFromFramebuffer(unsigned int framebuffer) {
    if (gl.bindFramebuffer) {
        gl.bindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    }
    glReadBuffer(framebuffer != 0 ? GL_COLOR_ATTACHMENT0 : GL_BACK);
}

void ScaleOntoWindow(unsigned int framebuffer, int width, int height, int windowX, int windowY,
                     int windowWidth, int windowHeight) {
    gl.bindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    gl.bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    gl.blitFramebuffer(0, 0, width, height, windowX, windowY, windowX + windowWidth, windowY + windowHeight,
                       GL_COLOR_BUFFER_BIT, GL_LINEAR);
    gl.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}
