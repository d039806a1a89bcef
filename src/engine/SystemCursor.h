#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class GLPicture;

// The built-in pointer the window draws at the mouse when the game draws none of its own.
class SystemCursor {
public:
    SystemCursor();
    ~SystemCursor();
    SystemCursor(const SystemCursor&) = delete;
    SystemCursor& operator=(const SystemCursor&) = delete;

    // Draws the pointer at the mouse, in the default world view; makes its picture the first time.
    void Draw();
    // Frees the picture while its OpenGL context is still current.
    void Release();

private:
    std::vector<uint32_t> pixels_;
    std::unique_ptr<GLPicture> picture_;
};
