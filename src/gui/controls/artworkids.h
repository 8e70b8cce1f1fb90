// Numbers of the editor's images. Pages name them by number; the images live as resources
// ":/art/<number>.png" (with a "<number>@2x.png" twin for high-density screens).
//
// Logical sizes (width x height) decide the size of the controls that show them:
//   sliders: a control takes its channel's size; thumbs span the channel across its axis, so
//   pages set margins only along the axis.
#pragma once

#include <array>

inline constexpr int IDC_HAND = 138;             // hand cursor, 32 x 32, hot spot (9, 1)
inline constexpr int IDB_SELECTOR_BUTTON = 139;  // channel selector button, 96 x 32, dark
inline constexpr int IDB_APP_ICON = 140;         // application icon, 32 x 32
inline constexpr int IDB_TITLE_MINIMISE = 141;   // title bar buttons, 34 x 28, on white
inline constexpr int IDB_TITLE_CLOSE = 142;
inline constexpr int IDB_TITLE_MAXIMISE = 143;
inline constexpr int IDB_Q_DOWN = 147;  // small Q step buttons, 22 x 20
inline constexpr int IDB_Q_UP = 148;
inline constexpr int IDB_VOLUME_CHANNEL = 152;      // master volume slider, vertical, 32 x 220:
inline constexpr int IDB_VOLUME_THUMB = 153;        //   filled channel (below the thumb), thumb
inline constexpr int IDB_VOLUME_CHANNEL_TOP = 154;  //   32 x 16, empty channel (above the thumb)
inline constexpr int IDB_SEPARATOR = 155;           // vertical separator, 6 x 400
inline constexpr int IDB_EQ_THUMB = 156;            // EQ gain slider, vertical, 24 x 200:
inline constexpr int IDB_EQ_CHANNEL_GREY = 157;     //   empty / bypassed channel
inline constexpr int IDB_EQ_CHANNEL = 158;          //   filled channel, thumb 24 x 12
inline constexpr int IDB_TYPE_SELECTED = 159;       // EQ type buttons, 40 x 22
inline constexpr int IDB_TYPE_NORMAL = 160;
inline constexpr int IDB_H_THUMB = 161;           // horizontal slider, 180 x 22: thumb 14 x 22,
inline constexpr int IDB_H_CHANNEL = 162;         //   empty channel (right of the thumb),
inline constexpr int IDB_H_CHANNEL_FILLED = 163;  //   filled channel (left of the thumb)
inline constexpr int IDB_POLARITY = 164;          // polarity button, 30 x 22
inline constexpr int IDB_SCENE_SELECTED = 165;    // scene buttons, 70 x 26
inline constexpr int IDB_SCENE_NORMAL = 166;
inline constexpr int IDB_TOGGLE_ON = 167;  // toggle (mute, exciter, lock), 46 x 22
inline constexpr int IDB_TOGGLE_OFF = 168;
inline constexpr int IDB_H_CHANNEL_DISABLED = 179;  // horizontal slider while locked, 180 x 22,
inline constexpr int IDB_H_THUMB_DISABLED = 180;    //   thumb 14 x 22
inline constexpr int IDB_EQ_THUMB_GREY = 181;       // EQ gain thumb while bypassed, 24 x 12
inline constexpr int IDB_MODE_REVERB = 191;         // effect mode button, 130 x 26
inline constexpr int IDB_MODE_ECHO = 192;

inline constexpr std::array<int, 30> kArtworkIds = {IDC_HAND,
                                                    IDB_SELECTOR_BUTTON,
                                                    IDB_APP_ICON,
                                                    IDB_TITLE_MINIMISE,
                                                    IDB_TITLE_CLOSE,
                                                    IDB_TITLE_MAXIMISE,
                                                    IDB_Q_DOWN,
                                                    IDB_Q_UP,
                                                    IDB_VOLUME_CHANNEL,
                                                    IDB_VOLUME_THUMB,
                                                    IDB_VOLUME_CHANNEL_TOP,
                                                    IDB_SEPARATOR,
                                                    IDB_EQ_THUMB,
                                                    IDB_EQ_CHANNEL_GREY,
                                                    IDB_EQ_CHANNEL,
                                                    IDB_TYPE_SELECTED,
                                                    IDB_TYPE_NORMAL,
                                                    IDB_H_THUMB,
                                                    IDB_H_CHANNEL,
                                                    IDB_H_CHANNEL_FILLED,
                                                    IDB_POLARITY,
                                                    IDB_SCENE_SELECTED,
                                                    IDB_SCENE_NORMAL,
                                                    IDB_TOGGLE_ON,
                                                    IDB_TOGGLE_OFF,
                                                    IDB_H_CHANNEL_DISABLED,
                                                    IDB_H_THUMB_DISABLED,
                                                    IDB_EQ_THUMB_GREY,
                                                    IDB_MODE_REVERB,
                                                    IDB_MODE_ECHO};
