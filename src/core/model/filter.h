// One record of a band set: a parametric band, described to the unit by five words (gain, Q,
// slope, type, frequency), or a crossover filter (high-pass or low-pass) of which only the
// frequency index reaches the unit. Setters store the value, mirror it into the device image,
// raise the field's changed flag and recompute what depends on it, the response included.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "core/model/datadefine.h"
#include "core/model/editcell.h"
#include "core/viewmath/curvegeometry.h"

class CArchive;
struct DeviceImage;

// Owner kinds: which kind of channel record a band set belongs to. The output kinds own one
// band set per scene, so the channel number is the owner kind's base channel plus the scene
// (OwnerChannel); the curve view tells its pages apart by these kinds.
enum class OwnerKind : int { Music = 0, Mic = 1, Effect = 2, MainOut = 3, Center = 4, Sub = 5 };

// Band types.
inline constexpr int kTypePeaking = 0;
inline constexpr int kTypeBypass = 1;
inline constexpr int kTypeHighShelf = 2;
inline constexpr int kTypeHighPass = 4;
inline constexpr int kTypeLowPass = 5;

// The band types a parametric band can take from a page: peaking, bypass and high shelf. A
// loaded band type outside them is taken as the nearest of them (below 0 peaking, above 2
// high shelf), so what the curve shows is what is sent.
inline constexpr int kLastBandType = kTypeHighShelf;
std::int16_t NearestBandType(int type);

// The five device words of a band, in block order.
inline constexpr int kBandWordGain = 0;
inline constexpr int kBandWordQ = 1;
inline constexpr int kBandWordSlope = 2;
inline constexpr int kBandWordType = 3;
inline constexpr int kBandWordFreq = 4;
inline constexpr int kBandWordCount = 5;

// Size of one record in a parameter file.
inline constexpr int kFilterRecordBytes = 68;

// The channel number (owner kind's base plus scene) and the first band word of an owner kind.
int OwnerChannel(OwnerKind ownerKind, int scene);
int OwnerBandBase(OwnerKind ownerKind);
// The outputs (main, center, sub) own crossover filters and a band set per scene.
bool IsOutputKind(OwnerKind ownerKind);
// The owner kind of the equalised channel `channel` (0-8); none for any other channel.
std::optional<OwnerKind> OwnerKindOfChannel(int channel);

class CFilter {
public:
    // Identity inside the model; `image` receives the mirrored words (may be null).
    void Attach(DeviceImage* image, OwnerKind ownerKind, int scene, int band);
    // Receives every edit the setters make from now on (null: none).
    void SetEditObserver(IEditObserver* observer) { m_pObserver = observer; }
    // Creation as a peaking band at `freqIndex`, or as a crossover filter. Nothing is mirrored
    // and no flag is raised; the response is computed.
    void InitBand(std::int16_t freqIndex);
    void InitHighPass();
    void InitLowPass(std::int16_t xoverFreqIndex);

    void SetGain(std::int16_t v);
    void SetQ(std::int16_t v);
    void SetSlope(std::int16_t v);
    void SetType(std::int16_t v);
    void SetFreq(std::int16_t v);
    void SetSlopeCode(std::int16_t v);
    void SetXoverFreq(std::int16_t v);
    void SetXoverStepCode(std::int16_t v);
    void SetXoverQ(std::int16_t v);

    std::int16_t GetGain() const { return m_nGain; }
    std::int16_t GetQ() const { return m_nQ; }
    std::int16_t GetSlope() const { return m_nSlope; }
    std::int16_t GetType() const { return m_nType; }
    std::int16_t GetFreq() const { return m_nFreq; }
    std::int16_t GetSlopeCode() const { return m_nSlopeCode; }
    std::int16_t GetXoverFreq() const { return m_nXoverFreq; }
    std::int16_t GetXoverStepCode() const { return m_nXoverStepCode; }
    std::int16_t GetXoverQ() const { return m_nXoverQ; }
    // The record's place in its band set, fixed at creation: a parametric band, or the
    // high-pass or low-pass filter. It decides which words the record owns, whatever a loaded
    // file says in m_bEqBand or m_nType.
    bool IsCrossover() const { return m_nRole != kRoleBand; }
    bool IsHighPass() const { return m_nRole == kRoleHighPass; }
    bool IsLowPass() const { return m_nRole == kRoleLowPass; }
    int Channel() const { return OwnerChannel(m_nOwnerKind, m_nScene); }
    // First device word of this band in its channel block (meaningless for crossovers).
    int BandWordBase() const { return OwnerBandBase(m_nOwnerKind) + kBandWordCount * m_nBand; }

    // Band word w (kBandWord...) value and its changed flag; out-of-range w reads 0.
    std::int16_t BandWordValue(int w) const;
    bool BandWordChanged(int w) const;
    void ClearBandWordChanged(int w);
    // Any of the five band words changed: what an idle tick asks of every band.
    bool AnyBandWordChanged() const {
        return (m_bGainChanged | m_bQChanged | m_bSlopeChanged | m_bTypeChanged | m_bFreqChanged) !=
               0;
    }

    // Image transfer. Loads clamp frequency indexes into 0-360, recompute, and clear flags.
    void LoadBandWords(std::span<const std::int16_t, kBandWordCount> w);
    void StoreBandWords(std::span<std::int16_t, kBandWordCount> w) const;
    void LoadXover(std::int16_t freq, std::int16_t stepCode, std::int16_t q);

    void SetAllChanged(int v);
    // Device word of the crossover frequency and the PC-side slots of its step code and
    // variable Q in its channel block (-1 where the owner has none).
    int XoverFreqWord() const;
    int XoverStepSlot() const;
    int XoverQSlot() const;

    // The 68-byte file record. After loading: flags cleared; the record keeps its role whatever
    // the file says (m_bEqBand and, for a crossover, its type; a band's type becomes the
    // nearest band type); derived values and response recomputed. A verbatim archive keeps
    // every value as read.
    void Serialize(CArchive& ar);

    // Derived values from the stored indexes: band (m_dFreqHz, m_dQ, m_dGainDb) or crossover
    // (m_dXoverFreqHz, m_dXoverQValue).
    void RecomputeDerived();
    // Recomputes m_dResponse from the current fields.
    void UpdateResponse();
    // Gain index for a gain in dB (after a drag): 120 when flat or bypassed.
    std::int16_t GainIndexForDb(double gainDb) const;
    const std::array<double, kFreqCount>& Response() const { return m_dResponse; }

    // Lays the record out for a plot of w x h pixels and recomputes its handle and curve.
    void SetPlotSize(int w, int h);
    // Handle and curve points from the current values and plot size; UpdateResponse calls it.
    void UpdateView();

    OwnerKind m_nOwnerKind = OwnerKind::Music;
    int m_nScene = 0;
    int m_nBand = 0;
    std::int32_t m_bEqBand = 1;
    std::int16_t m_nType = 0;
    std::int16_t m_nFreq = 0;
    std::int16_t m_nGain = kGainZeroIndex;
    std::int16_t m_nQ = 16;
    std::int16_t m_nSlope = 0;
    double m_dFreqHz = 19.7;
    double m_dQ = 2.05;
    double m_dGainDb = 0;
    std::int32_t m_nReserved = 0;
    std::int16_t m_nSlopeCode = 0;
    std::int16_t m_nXoverFreq = 0;
    std::int16_t m_nXoverFamilyCode = 2;
    std::int16_t m_nXoverStepCode = 0;
    std::int16_t m_nXoverQ = 0;
    double m_dXoverFreqHz = 19.7;
    std::int16_t m_nFamily = 0;
    std::int16_t m_nSlopeStep = 0;
    double m_dXoverQValue = 0.4;
    std::int32_t m_bFlat = 1;
    std::int32_t m_bBypass = 0;

    // Changed flags, 0 or 1.
    int m_bTypeChanged = 0;
    int m_bFreqChanged = 0;
    int m_bGainChanged = 0;
    int m_bQChanged = 0;
    int m_bSlopeChanged = 0;
    int m_bSlopeCodeChanged = 0;
    int m_bXoverFreqChanged = 0;
    int m_bXoverStepCodeChanged = 0;
    int m_bXoverQChanged = 0;

    // What the response curve view keeps per record: the plot size it was laid out for, the
    // handle and the curve (CurvePoints) in the view's client coordinates, the pointer's offset
    // from the handle's centre when it was grabbed, and the pointer state of the handle.
    int m_nPlotWidth = 0;
    int m_nPlotHeight = 0;
    SCurveRect m_rcHandle{};
    SCurvePoint m_ptGrabOffset{};
    bool m_bHovered = false;
    bool m_bGrabbed = false;
    bool m_bWheelArmed = false;

    // The response mapped to the plot: 363 points, between two on the 0 dB line at the plot's
    // left and right edges. Mapped when asked for after the response or the layout changed, so
    // that loading a whole unit does not map curves nobody draws.
    const std::array<SCurvePoint, kCurvePointCount>& CurvePoints() const;

private:
    // The response alone (UpdateResponse also refreshes the view data).
    void ComputeResponse();
    // Step codes 3 and 4 take the variable-Q table instead of the family's stage Qs.
    bool UsesVariableQ() const;
    // After a file load: the role's fields and every derived value made consistent with it.
    void TakeRoleAfterLoad();
    void MirrorBandWord(int w, std::int16_t v);
    // Tells the observer of an edit of `cell` from `old` to `v`.
    void Report(CellSpace space, int word, std::int16_t old, std::int16_t v);
    // Stores v in the band field of word w, mirrors it and raises the word's flag.
    void StoreBandWord(int w, std::int16_t& field, std::int16_t v);
    int* BandWordFlag(int w);

    enum Role { kRoleBand, kRoleHighPass, kRoleLowPass };
    Role m_nRole = kRoleBand;
    DeviceImage* m_pImage = nullptr;
    IEditObserver* m_pObserver = nullptr;
    // Everything the response is computed from. The same inputs give the same response, so a
    // recomputation with unchanged inputs (a read-back of the values already held) is skipped.
    struct ResponseInputs {
        bool computed = false;
        Role role = kRoleBand;
        OwnerKind owner = OwnerKind::Music;
        std::int16_t type = 0, xoverFreq = 0, xoverQ = 0, family = 0, slopeStep = 0;
        bool variableQ = false;
        std::int32_t bypass = 0;
        double freqHz = 0, q = 0, gainDb = 0;
        bool operator==(const ResponseInputs&) const = default;
    };
    ResponseInputs CurrentResponseInputs() const;

    std::array<double, kFreqCount> m_dResponse{};
    ResponseInputs m_responseInputs;
    mutable std::array<SCurvePoint, kCurvePointCount> m_ptCurve{};
    mutable bool m_bCurveStale = true;
};
