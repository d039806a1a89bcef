#pragma once

#include <span>
#include <string>

class GLPicture;

// A picture reference with a source rectangle and drawing settings. Owns its
// picture unless sharedPicture is set.
class Sprite {
public:
    Sprite() = default;
    ~Sprite();
    Sprite(const Sprite& other);             // shares the picture (never owns a copy)
    Sprite& operator=(const Sprite& other);  // same
    // Moving hands the picture over, so sprites kept by value in growing lists stay valid.
    Sprite(Sprite&& other) noexcept;
    Sprite& operator=(Sprite&& other) noexcept;

    // Loads MakeFilePath(path) with the magenta colour key; false when it failed.
    bool Load(const std::string& path);
    // What a failed Load found, for the message that stops the game: the path as the game
    // looked for it and what was wrong there.
    std::string LoadFailure() const;
    // For pictures the game cannot run without: a failed load is a fatal error naming the file.
    void LoadRequired(const std::string& path);
    void SetSource(int x, int y, int sourceWidth, int sourceHeight);
    void SharePicture(Sprite& target) const;
    void CloneTo(Sprite& target) const;
    void CopySettings(Sprite& target) const;
    void SetColour(float r, float g, float b, float a);

    void Draw(int x, int y) const;
    void DrawPart(int x, int y, int sx, int sy, int sw, int sh) const;
    void DrawCentred(int x, int y, int boxWidth, int boxHeight) const;
    void DrawCentredX(int y, int left, int boxWidth) const;
    void CentreOffset(int boxWidth, int boxHeight, int& dx, int& dy) const;

    int blendMode = 1;
    GLPicture* picture = nullptr;
    std::string path;
    int srcX = 0;
    int srcY = 0;
    int height = 0;
    int width = 0;
    bool flipX = false;
    bool flipY = false;
    bool sharedPicture = false;
    float zoom = 1.0f;
    float angle = 0.0f;
    float pivotX = 0.0f;
    float pivotY = 0.0f;
    float alpha = 1.0f;
    bool tinted = false;
    // Drawn as a plain copy, without blending: for a backdrop with no transparent pixel, which
    // the software renderer then fills far faster. Position and source only.
    bool opaque = false;
    float tint[4] = {1, 1, 1, 1};

private:
    void ReleasePicture();
};

// Cuts equal pieces side by side from the strip loaded in pieces[0]: piece k is the pieceWidth x
// pieceHeight rectangle at x = k x pieceWidth, and all of them share the one picture.
void CutStrip(std::span<Sprite> pieces, int pieceWidth, int pieceHeight);
