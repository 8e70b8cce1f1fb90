// System settings, channel 30: the mode to save into, copies of the output section's
// Auto/Manual mode and active scene, the panel lock and the new password. Only the two copies
// and the panel lock mirror into the system block (words 71-73); the two copies are saved in
// parameter files.
#pragma once

#include "core/model/paramrecord.h"

class CAudioSystemData : public CParamRecord {
public:
    enum Field { kSaveMode, kOutAutoCopy, kOutSceneCopy, kPanelLock, kPassword };
    explicit CAudioSystemData(DeviceImage* image);

    std::int16_t GetSaveMode() const { return Get(kSaveMode); }
    // Requests that the unit's current settings be stored as the selected mode.
    void SetSaveMode(std::int16_t v) { Set(kSaveMode, v); }
    std::int16_t GetOutAutoCopy() const { return Get(kOutAutoCopy); }
    void SetOutAutoCopy(std::int16_t v) { Set(kOutAutoCopy, v); }
    std::int16_t GetOutSceneCopy() const { return Get(kOutSceneCopy); }
    void SetOutSceneCopy(std::int16_t v) { Set(kOutSceneCopy, v); }
    std::int16_t GetPanelLock() const { return Get(kPanelLock); }
    void SetPanelLock(std::int16_t v) { Set(kPanelLock, v); }
    std::int16_t GetPassword() const { return Get(kPassword); }
    // Requests the password write; the four characters come from the image's password bytes.
    void SetPassword(std::int16_t v) { Set(kPassword, v); }

    // The mode shown as selected in the mode list (0-6), kept beside the image; a value
    // outside 0-6 means that no mode is selected.
    int GetSelectedMode() const { return m_nSelectedMode; }
    void SetSelectedMode(int mode) { m_nSelectedMode = mode; }
    static bool IsModeIndex(int mode) { return mode >= 0 && mode < 7; }
    // Number of music inputs the unit offers, from the active-scene word as last loaded:
    // value + 1 entries, at most 10 (at least 1).
    int MusicInputCount() const { return m_nMusicInputCount; }

    void SetAllChanged(int v) { SetFieldsChanged(v); }
    // Selected mode from bytes 0-1; the copies and the panel lock from words 71-73.
    void LoadFromImage(const DeviceImage& image);
    void Serialize(CArchive& ar) { SerializeFields(ar); }

    // Only the two output-section copies are settings; the rest are commands to the unit.
    bool CellOf(int field, EditCell& cell) const override;

protected:
    void MirrorField(int field, std::int16_t v) override;

private:
    int m_nSelectedMode = 0;
    int m_nMusicInputCount = 1;
};
