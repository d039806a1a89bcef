#pragma once

struct QuadState;

// How a picture's blended draws meet the screen: the blend mode and a colour modulation.
class PictureBlend {
public:
    // Normal blending, no modulation.
    PictureBlend();

    // mode: a GLPicture::BlendMode; any other leaves the mode as it is.
    void SetMode(int mode);
    // All 1: no modulation; otherwise each channel clamped to 0..1.
    void SetModulation(float red, float green, float blue, float alpha);

    // The mode's blend factors.
    int Source() const { return source_; }
    int Destination() const { return destination_; }
    // The blending of a picture's draw: the mode's factors and the modulation colour, its alpha
    // scaled by the draw's own alpha (white without modulation).
    void Describe(QuadState& state, float alpha) const;

private:
    int source_;
    int destination_;
    bool modulationOn_ = false;
    float modulation_[4] = {1, 1, 1, 1};
};
