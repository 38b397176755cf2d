// Whether start-up opened the audio device. Every sound operation does
// nothing while it is false, so the game runs silently without a device.
#pragma once

extern bool SoundEnabled;
