// What the pages, the channel selector and the main window share: the page shown, the scene
// each output page edits, the output mode, the spectrum state and the music inputs the unit
// offers. Plain process-wide state, read and written on the UI thread only.
#pragma once

#include <array>

// Page indexes (ShowPage, g_curPage). Page 6 does not exist.
inline constexpr int kPageMusic = 0;
inline constexpr int kPageMic = 1;
inline constexpr int kPageEffect = 2;
inline constexpr int kPageMainOut = 3;
inline constexpr int kPageCenter = 4;
inline constexpr int kPageSub = 5;
inline constexpr int kPageSystem = 7;
inline constexpr int kChannelPages = 6;

enum class ECaptureState { Off = 0, Live = 1, Frozen = 2 };
// The output scenes: the unit's "Sing" and "Disco" records of every output.
enum class EScene { Sing = 0, Disco = 1 };

extern int g_curPage;
// The scene record (0 or 1) the main out, center and sub pages edit.
extern std::array<int, 3> g_outScene;
// True while the outputs follow the unit's automatic scene (output EQ editing is locked).
extern bool g_autoMode;
// The scene chosen by the user or reported by the unit.
extern EScene g_sceneSel;
extern int g_spectrumOn;
extern ECaptureState g_captureState;
// The highest music input the unit offers (0 .. 9); set when the unit's state is loaded.
extern int g_musicInputMax;

// Back to the start-up values (a new main window starts from these).
void ResetPageState();

// The channel whose equalised record page `page` (0..5) edits: 0 music, 1 mic, 2 effect,
// 3 + scene main out, 5 + scene center, 7 + scene sub; -1 for any other page. It is also the
// EQ number of the unit's equaliser reset.
int PageChannel(int page);
// The band-set index a page is loaded with: 0, or the output page's scene.
int PageBandSet(int page);
// Every output page edits scene `scene` from now on.
void SetOutputScene(EScene scene);
// The output section's state as the unit holds it (the microphone record's Auto/Manual and
// scene words): the pages follow it; in Auto every output page edits scene 0.
void TakeOutputSection(int outAuto, int outScene);
