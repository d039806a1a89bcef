#pragma once

// How loud a voice plays: attenuations in hundredths of a decibel, from a volume level and a pan
// position, and the gains they come to.

// Level 0..99 (clamped): 0 is -10000, silence.
int VolumeAttenuation(int level);
// Pan -100 (left) .. 100 (right); outside that range fully right. Negative values take from the
// right channel, positive ones from the left.
int PanAttenuation(int pan);

struct StereoGain {
    float left = 1;
    float right = 1;
};

// The gain of a voice at a volume attenuation and a pan attenuation; -10000 or less is silence.
StereoGain GainOf(int volumeAttenuation, int panAttenuation);
