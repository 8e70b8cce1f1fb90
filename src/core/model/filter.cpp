#include "core/model/filter.h"

#include <algorithm>
#include <cmath>

#include "core/dsp/filterresponse.h"
#include "core/model/archive.h"
#include "core/model/conversiontool.h"
#include "core/model/deviceimage.h"

namespace {
constexpr int kBandBase[] = {5, 7, 20, 17, 17, 17};
constexpr int kChannelBase[] = {kChMusic, kChMic, kChEffect, kChMainOut, kChCenter, kChSub};
// Crossover frequency words of the outputs (main, center, sub): high-pass, low-pass.
constexpr int kXoverWords[3][2] = {{14, 15}, {10, 11}, {6, 7}};
constexpr int kMicHighPassWord = 1;

// Selection code 1-12 to (family code, step code).
constexpr std::int16_t kSelection[12][2] = {{0, 0}, {1, 1}, {2, 1}, {0, 1}, {1, 2}, {2, 2},
                                            {1, 3}, {2, 3}, {0, 3}, {1, 4}, {2, 4}, {0, 4}};

bool ValidKind(OwnerKind kind) {
    return kind >= OwnerKind::Music && kind <= OwnerKind::Sub;
}
std::size_t KindIndex(OwnerKind kind) {
    return static_cast<std::size_t>(kind);
}
std::int16_t ClampFreqIndex(std::int16_t v) {
    return static_cast<std::int16_t>(std::clamp<int>(v, 0, kFreqMaxIndex));
}
}  // namespace

std::int16_t NearestBandType(int type) {
    return static_cast<std::int16_t>(std::clamp(type, 0, kLastBandType));
}

int OwnerChannel(OwnerKind ownerKind, int scene) {
    if (!ValidKind(ownerKind)) {
        return -1;
    }
    const int base = kChannelBase[KindIndex(ownerKind)];
    return IsOutputKind(ownerKind) ? base + (scene == 1 ? 1 : 0) : base;
}

int OwnerBandBase(OwnerKind ownerKind) {
    return ValidKind(ownerKind) ? kBandBase[KindIndex(ownerKind)] : -1;
}

std::optional<OwnerKind> OwnerKindOfChannel(int channel) {
    for (int k = static_cast<int>(OwnerKind::Sub); k >= static_cast<int>(OwnerKind::Music); --k) {
        const auto kind = static_cast<OwnerKind>(k);
        if (channel >= kChannelBase[k] && channel <= OwnerChannel(kind, 1)) {
            return kind;
        }
    }
    return std::nullopt;
}

bool IsOutputKind(OwnerKind ownerKind) {
    return ownerKind >= OwnerKind::MainOut && ownerKind <= OwnerKind::Sub;
}

void CFilter::Attach(DeviceImage* image, OwnerKind ownerKind, int scene, int band) {
    m_pImage = image;
    m_nOwnerKind = ownerKind;
    m_nScene = scene;
    m_nBand = band;
}

void CFilter::InitBand(std::int16_t freqIndex) {
    m_nRole = kRoleBand;
    m_bEqBand = 1;
    m_nType = kTypePeaking;
    m_nGain = kGainZeroIndex;
    m_nQ = 16;
    m_nSlope = 0;
    m_nFreq = freqIndex;
    RecomputeDerived();
    m_bFlat = 1;
    UpdateResponse();
}

void CFilter::InitHighPass() {
    m_nRole = kRoleHighPass;
    m_bEqBand = 0;
    m_nType = kTypeHighPass;
    m_nXoverFreq = 0;
    m_nXoverStepCode = 0;
    // Family and order are fixed at creation from the step code: 0 gives Butterworth of
    // order 3, 1 Butterworth of order 6, anything else Bessel of order 1.
    m_nFamily = kFamilyButterworth;
    m_nSlopeStep = 2;
    m_dXoverFreqHz = FreqAt(m_nXoverFreq);
    UpdateResponse();
}

void CFilter::InitLowPass(std::int16_t xoverFreqIndex) {
    m_nRole = kRoleLowPass;
    m_bEqBand = 0;
    m_nType = kTypeLowPass;
    m_nXoverFreq = xoverFreqIndex;
    m_nXoverStepCode = 0;
    m_nFamily = kFamilyBessel;
    m_nSlopeStep = 0;
    m_dXoverFreqHz = FreqAt(m_nXoverFreq);
    UpdateResponse();
}

void CFilter::MirrorBandWord(int w, std::int16_t v) {
    // Crossover records carry a band index too (the microphone's equals its last band), so
    // their band words must never be written.
    if (m_pImage != nullptr && !IsCrossover()) {
        m_pImage->SetWord(Channel(), BandWordBase() + w, v);
    }
}

void CFilter::Report(CellSpace space, int word, std::int16_t old, std::int16_t v) {
    if (m_pObserver != nullptr && word >= 0) {
        m_pObserver->OnEdit({{space, Channel(), word}, old, v});
    }
}

void CFilter::StoreBandWord(int w, std::int16_t& field, std::int16_t v) {
    if (!IsCrossover()) {
        Report(CellSpace::Word, BandWordBase() + w, field, v);
    }
    field = v;
    MirrorBandWord(w, v);
    *BandWordFlag(w) = 1;
}

void CFilter::SetGain(std::int16_t v) {
    StoreBandWord(kBandWordGain, m_nGain, v);
    m_dGainDb = GainIndexToDb(v);
    if (m_dGainDb == 0) {
        m_bFlat = 1;
    } else {
        m_bFlat = 0;
        m_bBypass = 0;
    }
    UpdateResponse();
}

void CFilter::SetQ(std::int16_t v) {
    StoreBandWord(kBandWordQ, m_nQ, v);
    m_dQ = QAt(v);
    UpdateResponse();
}

void CFilter::SetSlope(std::int16_t v) {
    StoreBandWord(kBandWordSlope, m_nSlope, v);
    m_dQ = SlopeAt(v);
    UpdateResponse();
}

void CFilter::SetType(std::int16_t v) {
    // Types above 3 are mirrored and flagged but not taken.
    std::int16_t type = m_nType;
    StoreBandWord(kBandWordType, type, v);
    if (v >= 0 && v <= 3) {
        m_nType = v;
        m_bFlat = v == kTypeBypass ? 1 : 0;
        // The Q in use follows the type's own word (Q for a peaking band, shelf slope for the
        // others), as it is recomputed when the band is loaded: otherwise a shelf would keep
        // the peaking Q until the model is saved and loaded again.
        m_dQ = v == kTypePeaking ? QAt(m_nQ) : SlopeAt(m_nSlope);
    }
    UpdateResponse();
}

void CFilter::SetFreq(std::int16_t v) {
    StoreBandWord(kBandWordFreq, m_nFreq, v);
    m_dFreqHz = FreqAt(v);
    UpdateResponse();
}

void CFilter::SetSlopeCode(std::int16_t v) {
    m_nSlopeCode = v;
    if (v >= 1 && v <= 12) {
        m_nXoverFamilyCode = kSelection[v - 1][0];
        m_nXoverStepCode = kSelection[v - 1][1];
    }
    m_bFlat = v == 0 ? 1 : 0;
    m_bSlopeCodeChanged = 1;
    UpdateResponse();
}

void CFilter::SetXoverFreq(std::int16_t v) {
    Report(CellSpace::Word, XoverFreqWord(), m_nXoverFreq, v);
    m_nXoverFreq = v;
    if (m_pImage != nullptr) {
        m_pImage->SetWord(Channel(), XoverFreqWord(), v);
    }
    m_bXoverFreqChanged = 1;
    m_dXoverFreqHz = FreqAt(v);
    UpdateResponse();
}

void CFilter::SetXoverStepCode(std::int16_t v) {
    Report(CellSpace::PcWord, XoverStepSlot(), m_nXoverStepCode, v);
    m_nXoverStepCode = v;
    if (m_pImage != nullptr) {
        m_pImage->SetPcWord(Channel(), XoverStepSlot(), v);
    }
    m_bXoverStepCodeChanged = 1;
    UpdateResponse();
}

void CFilter::SetXoverQ(std::int16_t v) {
    Report(CellSpace::PcWord, XoverQSlot(), m_nXoverQ, v);
    m_nXoverQ = v;
    if (m_pImage != nullptr) {
        m_pImage->SetPcWord(Channel(), XoverQSlot(), v);
    }
    m_bXoverQChanged = 1;
    m_dXoverQValue = XoverQAt(v);
    UpdateResponse();
}

int CFilter::XoverFreqWord() const {
    if (!IsCrossover()) {
        return -1;
    }
    if (m_nOwnerKind == OwnerKind::Mic) {
        return IsHighPass() ? kMicHighPassWord : -1;
    }
    if (!IsOutputKind(m_nOwnerKind)) {
        return -1;
    }
    return kXoverWords[KindIndex(m_nOwnerKind) - KindIndex(OwnerKind::MainOut)]
                      [IsLowPass() ? 1 : 0];
}

int CFilter::XoverStepSlot() const {
    if (XoverFreqWord() < 0) {
        return -1;
    }
    return IsLowPass() ? kPcLowPassStep : kPcHighPassStep;
}

int CFilter::XoverQSlot() const {
    if (XoverFreqWord() < 0 || !IsOutputKind(m_nOwnerKind)) {
        return -1;
    }
    return IsLowPass() ? kPcLowPassQ : kPcHighPassQ;
}

int* CFilter::BandWordFlag(int w) {
    switch (w) {
        case kBandWordGain:
            return &m_bGainChanged;
        case kBandWordQ:
            return &m_bQChanged;
        case kBandWordSlope:
            return &m_bSlopeChanged;
        case kBandWordType:
            return &m_bTypeChanged;
        case kBandWordFreq:
            return &m_bFreqChanged;
        default:
            return nullptr;
    }
}

std::int16_t CFilter::BandWordValue(int w) const {
    const std::int16_t words[kBandWordCount] = {m_nGain, m_nQ, m_nSlope, m_nType, m_nFreq};
    return w >= 0 && w < kBandWordCount ? words[w] : std::int16_t{0};
}

bool CFilter::BandWordChanged(int w) const {
    const int* flag = const_cast<CFilter*>(this)->BandWordFlag(w);
    return flag != nullptr && *flag != 0;
}

void CFilter::ClearBandWordChanged(int w) {
    if (int* flag = BandWordFlag(w)) {
        *flag = 0;
    }
}

void CFilter::LoadBandWords(std::span<const std::int16_t, kBandWordCount> w) {
    m_bEqBand = 1;
    m_nType = w[kBandWordType];
    m_nFreq = ClampFreqIndex(w[kBandWordFreq]);
    m_nGain = w[kBandWordGain];
    m_nQ = w[kBandWordQ];
    m_nSlope = w[kBandWordSlope];
    RecomputeDerived();
    // The flat flag follows what was loaded, as the gain and type setters keep it: a band read
    // at +6 dB must not keep the flag of its 0 dB creation (its handle would sit at 0 dB and a
    // drag would start from gain index 120).
    m_bFlat = (m_nType == kTypeBypass || m_dGainDb == 0) ? 1 : 0;
    for (int i = 0; i < kBandWordCount; ++i) {
        ClearBandWordChanged(i);
    }
    UpdateResponse();
}

void CFilter::StoreBandWords(std::span<std::int16_t, kBandWordCount> w) const {
    for (int i = 0; i < kBandWordCount; ++i) {
        w[static_cast<std::size_t>(i)] = BandWordValue(i);
    }
}

void CFilter::LoadXover(std::int16_t freq, std::int16_t stepCode, std::int16_t q) {
    m_bEqBand = 0;
    m_nXoverFreq = ClampFreqIndex(freq);
    m_nXoverStepCode = stepCode;
    m_nXoverQ = q;
    RecomputeDerived();
    m_bSlopeCodeChanged = m_bXoverFreqChanged = m_bXoverStepCodeChanged = m_bXoverQChanged = 0;
    UpdateResponse();
}

void CFilter::SetAllChanged(int v) {
    m_bTypeChanged = m_bFreqChanged = m_bGainChanged = m_bQChanged = m_bSlopeChanged = v;
    m_bSlopeCodeChanged = m_bXoverFreqChanged = m_bXoverStepCodeChanged = m_bXoverQChanged = v;
}

void CFilter::RecomputeDerived() {
    if (!IsCrossover()) {
        m_dFreqHz = FreqAt(m_nFreq);
        m_dQ = m_nType != kTypePeaking ? SlopeAt(m_nSlope) : QAt(m_nQ);
        m_dGainDb = GainIndexToDb(m_nGain);
    } else {
        m_dXoverFreqHz = FreqAt(m_nXoverFreq);
        m_dXoverQValue = XoverQAt(m_nXoverQ);
    }
}

void CFilter::Serialize(CArchive& ar) {
    ar.Exchange(m_bEqBand);
    ar.Exchange(m_nType);
    ar.Exchange(m_nFreq);
    ar.Exchange(m_nGain);
    ar.Exchange(m_nQ);
    ar.Exchange(m_nSlope);
    ar.Exchange(m_dFreqHz);
    ar.Exchange(m_dQ);
    ar.Exchange(m_dGainDb);
    ar.Exchange(m_nReserved);
    ar.Exchange(m_nSlopeCode);
    ar.Exchange(m_nXoverFreq);
    ar.Exchange(m_nXoverFamilyCode);
    ar.Exchange(m_nXoverStepCode);
    ar.Exchange(m_nXoverQ);
    ar.Exchange(m_dXoverFreqHz);
    ar.Exchange(m_nFamily);
    ar.Exchange(m_nSlopeStep);
    ar.Exchange(m_bFlat);
    if (ar.IsLoading()) {
        SetAllChanged(0);
        if (!ar.IsVerbatim()) {
            TakeRoleAfterLoad();
        }
    }
}

void CFilter::TakeRoleAfterLoad() {
    m_bEqBand = IsCrossover() ? 0 : 1;
    m_nType = IsHighPass()  ? static_cast<std::int16_t>(kTypeHighPass)
              : IsLowPass() ? static_cast<std::int16_t>(kTypeLowPass)
                            : NearestBandType(m_nType);
    // The values the role uses are always recomputed. The others only travel with the file:
    // one that its scale cannot give (not finite, a negative frequency) is recomputed too,
    // while a plausible one is kept so that a file of our own making reloads byte for byte.
    const double bandFreq = FreqAt(m_nFreq);
    const double bandQ = m_nType != kTypePeaking ? SlopeAt(m_nSlope) : QAt(m_nQ);
    const double bandGain = GainIndexToDb(m_nGain);
    const double xoverFreq = FreqAt(m_nXoverFreq);
    auto keepIfIn = [](double& v, double lo, double hi, double fallback) {
        if (!(v >= lo && v <= hi)) {
            v = fallback;
        }
    };
    keepIfIn(m_dFreqHz, kFreqTable.front(), kFreqTable.back(), bandFreq);
    keepIfIn(m_dQ, kQTable.front(), kQTable.back(), bandQ);
    keepIfIn(m_dGainDb, GainIndexToDb(0), GainIndexToDb(kGainMaxIndex), bandGain);
    keepIfIn(m_dXoverFreqHz, kFreqTable.front(), kFreqTable.back(), xoverFreq);
    RecomputeDerived();
    UpdateResponse();
}

void CFilter::UpdateResponse() {
    ComputeResponse();
    UpdateView();
}

CFilter::ResponseInputs CFilter::CurrentResponseInputs() const {
    return {true,      m_nRole,   m_nOwnerKind, m_nType,         m_nXoverFreq,
            m_nXoverQ, m_nFamily, m_nSlopeStep, UsesVariableQ(), m_bBypass,
            m_dFreqHz, m_dQ,      m_dGainDb};
}

void CFilter::ComputeResponse() {
    const ResponseInputs inputs = CurrentResponseInputs();
    if (inputs == m_responseInputs) {
        return;
    }
    m_responseInputs = inputs;
    m_bCurveStale = true;
    ResponseDb& out = m_dResponse;
    // A crossover record draws as the crossover its place in the band set makes it, whatever
    // type word it holds; a band draws by its type.
    if (IsHighPass()) {
        if (m_nXoverFreq <= 0) {
            out.fill(0);
        } else {
            CrossoverResponse(true, FreqAt(m_nXoverFreq - 1), m_nFamily, m_nSlopeStep,
                              UsesVariableQ(), XoverQAt(m_nXoverQ), out);
        }
        return;
    }
    if (IsLowPass()) {
        if (m_nXoverFreq >= kFreqMaxIndex) {
            out.fill(0);
        } else {
            // The subwoofer's low-pass corner sits one grid step below its index.
            const int corner = m_nOwnerKind == OwnerKind::Sub ? std::max(m_nXoverFreq - 1, 0)
                                                              : static_cast<int>(m_nXoverFreq);
            CrossoverResponse(false, FreqAt(corner), m_nFamily, m_nSlopeStep, UsesVariableQ(),
                              XoverQAt(m_nXoverQ), out);
        }
        return;
    }
    switch (m_nType) {
        case kTypePeaking:
        case kTypeHighShelf: {
            out.fill(0);
            if (m_bBypass == 0) {
                Coeffs den{}, num{};
                DesignBiquad(m_nType == kTypePeaking ? kBiquadPeaking : kBiquadHighShelf, m_dFreqHz,
                             m_dQ, m_dGainDb, den, num);
                AccumulateSectionDb(den, num, out);
            }
            break;
        }
        case kTypeBypass:
        case 3:
            out.fill(0);
            break;
        default:
            // A type no band knows leaves the response as it was.
            break;
    }
}

void CFilter::SetPlotSize(int w, int h) {
    m_nPlotWidth = w;
    m_nPlotHeight = h;
    UpdateView();
}

void CFilter::UpdateView() {
    if (IsCrossover()) {
        m_rcHandle = CrossoverHandleRect(FreqAt(m_nXoverFreq), m_nPlotWidth, m_nPlotHeight);
    } else {
        // A flat or bypassed band sits on the 0 dB line whatever its gain word says.
        const double gainDb = (m_bFlat != 0 || m_bBypass != 0) ? 0.0 : m_dGainDb;
        m_rcHandle = BandHandleRect(m_dFreqHz, gainDb, m_nPlotWidth, m_nPlotHeight);
    }
    m_bCurveStale = true;
}

const std::array<SCurvePoint, kCurvePointCount>& CFilter::CurvePoints() const {
    if (m_bCurveStale) {
        ComputeCurvePoints(m_dResponse, m_nPlotWidth, m_nPlotHeight, m_ptCurve);
        m_bCurveStale = false;
    }
    return m_ptCurve;
}

bool CFilter::UsesVariableQ() const {
    return m_nXoverStepCode == 3 || m_nXoverStepCode == 4;
}

std::int16_t CFilter::GainIndexForDb(double gainDb) const {
    if (m_bBypass != 0 || m_bFlat != 0) {
        return kGainZeroIndex;
    }
    return static_cast<std::int16_t>(std::floor((gainDb + kGainOffsetDb) / kGainStepDb + 0.5));
}
