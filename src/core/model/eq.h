// The band set of an equalised channel: its parametric bands in order, then (on the
// microphone) a high-pass filter or (on the outputs) a high-pass and a low-pass filter.
#pragma once

#include <array>
#include <vector>

#include "core/model/datadefine.h"
#include "core/model/filter.h"

class CArchive;
struct DeviceImage;

class CEQ {
public:
    // Builds the records of owner kind `kind` for `scene` at their initial settings;
    // records mirror into `image` afterwards. Nothing is mirrored and no flag raised here.
    void SetUp(OwnerKind kind, int scene, DeviceImage* image);

    int GetCount() const { return static_cast<int>(m_filters.size()); }
    // Record i; i is clamped into the set.
    CFilter& GetAt(int i);
    const CFilter& GetAt(int i) const;
    // Number of parametric bands (the records before the crossovers).
    int GetBandCount() const { return m_nBandCount; }
    // The crossover filters; null where the kind has none.
    CFilter* GetHighPass();
    const CFilter* GetHighPass() const;
    CFilter* GetLowPass();
    const CFilter* GetLowPass() const;

    void SetAllChanged(int v);
    void SetEditObserver(IEditObserver* observer);
    // Lays every record out for a curve plot of w x h pixels.
    void SetPlotSize(int w, int h);
    // Each record's 68-byte file record in order; the count is not written.
    void Serialize(CArchive& ar);

    // Adds up the responses of every record, crossovers included.
    const std::array<double, kFreqCount>& SumResponse();
    const std::array<double, kFreqCount>& Sum() const { return m_dSum; }

    // Equaliser reset: every parametric band takes its ResetBandWords, flags cleared, response
    // recomputed. Crossovers are untouched.
    void ResetBands();

    // Initial band frequencies of a kind, in Hz.
    static std::vector<double> InitialFrequencies(OwnerKind kind);
    // The five band words (gain, Q, slope, type, frequency) an equaliser reset gives band
    // `band` of owner kind `kind`: 120 (0 dB), 16, 16, peaking, the grid index nearest the
    // band's initial frequency. The unit resets its own bands to the same words when it
    // receives the reset command.
    static std::array<std::int16_t, kBandWordCount> ResetBandWords(OwnerKind kind, int band);

private:
    std::vector<CFilter> m_filters;
    OwnerKind m_nKind = OwnerKind::Music;
    int m_nBandCount = 0;
    std::array<double, kFreqCount> m_dSum{};
};
