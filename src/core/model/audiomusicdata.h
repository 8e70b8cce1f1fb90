// Music input, channel 0 (40 words): input source, key shift, exciter, EQ bypass and 7 bands.
#pragma once

#include "core/model/eqrecord.h"

class CAudioMusicData : public CEqRecord {
public:
    enum Field { kInput, kKeyShift, kExciter, kEqBypass };
    explicit CAudioMusicData(DeviceImage* image);

    std::int16_t GetInput() const { return Get(kInput); }
    void SetInput(std::int16_t v) { Set(kInput, v); }
    std::int16_t GetKeyShift() const { return Get(kKeyShift); }
    void SetKeyShift(std::int16_t v) { Set(kKeyShift, v); }
    std::int16_t GetExciter() const { return Get(kExciter); }
    void SetExciter(std::int16_t v) { Set(kExciter, v); }

    // The key value last shown, against which the unit's own key reports are compared. Set on
    // every load from the image and by whoever shows a reported key.
    std::int16_t GetLastKeyShown() const { return m_nLastKeyShown; }
    void SetLastKeyShown(std::int16_t v) { m_nLastKeyShown = v; }

protected:
    void OnLoadedFromImage() override { m_nLastKeyShown = GetKeyShift(); }

private:
    std::int16_t m_nLastKeyShown = 0;
};
