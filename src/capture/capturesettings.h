// The analyser's choices remembered across runs, in the user's Sonvela settings
// (QSettings, organisation and application "Sonvela"): the refresh mode, one picture per
// captured buffer unless the user chose live.
#pragma once

#include <QString>

#include "core/dsp/analysiswindows.h"

class QSettings;

inline constexpr char kSettingsOrganisation[] = "Sonvela";
inline constexpr char kSettingsApplication[] = "Sonvela";

// From the user's settings.
RefreshMode LoadRefreshMode();
void SaveRefreshMode(RefreshMode mode);

// From and to a given store; an absent or unknown value reads as RefreshMode::PerBuffer.
RefreshMode LoadRefreshMode(const QSettings& settings);
void SaveRefreshMode(QSettings& settings, RefreshMode mode);
