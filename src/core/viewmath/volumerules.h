// The rules of the master volume controls: the slider's limit and the keyboard steps.
#pragma once

// Master volumes run 0 .. 80.
inline constexpr int kMasterVolumeTop = 80;
// A raising shortcut does nothing at exactly these volumes.
inline constexpr int kShortcutStopMusicMic = 84;
inline constexpr int kShortcutStopEffect = 70;

// A volume set with its slider: above the limit set on the System page it becomes the limit.
// (A volume typed into its box is taken as it is.)
int LimitSliderVolume(int volume, int limit);

// One keyboard step (delta +1 or -1) from `current`: lowering does nothing at 0; raising does
// nothing at exactly `stop`, otherwise the raised value is capped at `maximum`. Returns the new
// volume, equal to `current` when nothing changes.
int ShortcutVolume(int current, int delta, int stop, int maximum);
