#pragma once

// The one audio device, 44100 Hz stereo, fed by the sound mixer. Opened when the first GameSound
// is made and closed when the last goes; when it cannot be opened every sound plays nothing.
void RetainAudioDevice();
void ReleaseAudioDevice();
bool AudioDeviceOpen();
// A paused device pulls nothing from the mixer; it holds for a device opened later too.
void SetAudioOutputPaused(bool paused);
