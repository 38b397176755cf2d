// The game's own sounds, through its sound library: one sound set per event
// in a folder under Sounds/ beside the game, played only when asked for
// (--sound). Without them, without that folder, with --mute, or without a
// sound device the game is silent as it always was, and
// nothing the game does depends on whether a sound plays: the choice of
// variation and pitch comes from a random source of the sounds' own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class GameSound { Strike, Cut, HitPoint, Stage, Defeat, Rise, Land, Death, Count };

// The set's folder name under Sounds/ ("Strike", "HitPoint", ...).
const char* GameSoundName(GameSound sound);

// Loads the sets found under the folder (those missing stay silent); again
// on every new game. Does nothing while the sound device is off or the
// game's sounds were not asked for (GameSoundsOn).
void LoadGameSounds(const std::string& soundsFolder);
void UnloadGameSounds();

// Plays a random variation of the event's set, slightly pitched, panned by
// where the world point is on the view (left edge -100, right edge 100),
// at `loudness` 0..1.
void PlayGameSound(GameSound sound, double worldX, double loudness = 1.0);

// For tests and tools: the variation (1..N) the set played last, 0 when none
// (or none loaded), and how many plays the event has had since loading.
int32_t GameSoundPlayed(GameSound sound);
int32_t GameSoundPlays(GameSound sound);
// Every event played since loading, in order.
const std::vector<GameSound>& GameSoundsPlayed();
