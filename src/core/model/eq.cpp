#include "core/model/eq.h"

#include <algorithm>
#include <utility>

#include "core/model/archive.h"
#include "core/model/conversiontool.h"

namespace {
constexpr std::int16_t kSubLowPassIndex = 142;  // 303 Hz
constexpr std::int16_t kResetQ = 16;
constexpr std::int16_t kResetSlope = 16;
}  // namespace

std::vector<double> CEQ::InitialFrequencies(OwnerKind kind) {
    switch (kind) {
        case OwnerKind::Music:
            return {31.9, 80.3, 191, 490, 1260, 3780, 12000};
        case OwnerKind::Mic:
            return {20.5, 31.9, 50.6, 80.3, 125,  198,  315,  490,
                    721,  1240, 1920, 3050, 4940, 7550, 12000};
        case OwnerKind::Effect:
            return {80.3, 1000, 18000};
        case OwnerKind::MainOut:
        case OwnerKind::Center:
            return {80.3, 1000, 12000};
        case OwnerKind::Sub:
            return {19.7, 78.7, 236};
        default:
            return {};
    }
}

void CEQ::SetUp(OwnerKind kind, int scene, DeviceImage* image) {
    m_nKind = kind;
    const std::vector<double> freqs = InitialFrequencies(kind);
    m_nBandCount = static_cast<int>(freqs.size());
    m_filters.clear();
    for (double hz : freqs) {
        CFilter& band = m_filters.emplace_back();
        band.Attach(image, kind, scene, static_cast<int>(m_filters.size()) - 1);
        band.InitBand(static_cast<std::int16_t>(NearestFrequencyIndex(hz)));
    }
    if (kind == OwnerKind::Mic) {
        // The microphone's high-pass filter carries the number of the last band.
        CFilter& highPass = m_filters.emplace_back();
        highPass.Attach(image, kind, scene, m_nBandCount - 1);
        highPass.InitHighPass();
    } else if (IsOutputKind(kind)) {
        CFilter& highPass = m_filters.emplace_back();
        highPass.Attach(image, kind, scene, m_nBandCount);
        highPass.InitHighPass();
        CFilter& lowPass = m_filters.emplace_back();
        lowPass.Attach(image, kind, scene, m_nBandCount + 1);
        lowPass.InitLowPass(kind == OwnerKind::Sub ? kSubLowPassIndex
                                                   : static_cast<std::int16_t>(kFreqMaxIndex));
    }
    SumResponse();
}

CFilter& CEQ::GetAt(int i) {
    return m_filters[static_cast<std::size_t>(std::clamp(i, 0, GetCount() - 1))];
}

const CFilter& CEQ::GetAt(int i) const {
    return m_filters[static_cast<std::size_t>(std::clamp(i, 0, GetCount() - 1))];
}

CFilter* CEQ::GetHighPass() {
    return const_cast<CFilter*>(std::as_const(*this).GetHighPass());
}

const CFilter* CEQ::GetHighPass() const {
    for (const CFilter& f : m_filters) {
        if (f.IsHighPass()) {
            return &f;
        }
    }
    return nullptr;
}

CFilter* CEQ::GetLowPass() {
    return const_cast<CFilter*>(std::as_const(*this).GetLowPass());
}

const CFilter* CEQ::GetLowPass() const {
    return !m_filters.empty() && m_filters.back().IsLowPass() ? &m_filters.back() : nullptr;
}

void CEQ::SetAllChanged(int v) {
    for (CFilter& f : m_filters) {
        f.SetAllChanged(v);
    }
}

void CEQ::SetPlotSize(int w, int h) {
    for (CFilter& f : m_filters) {
        f.SetPlotSize(w, h);
    }
}

void CEQ::Serialize(CArchive& ar) {
    for (CFilter& f : m_filters) {
        f.Serialize(ar);
    }
}

const std::array<double, kFreqCount>& CEQ::SumResponse() {
    m_dSum.fill(0);
    for (const CFilter& f : m_filters) {
        const auto& r = f.Response();
        for (std::size_t i = 0; i < m_dSum.size(); ++i) {
            m_dSum[i] += r[i];
        }
    }
    return m_dSum;
}

std::array<std::int16_t, kBandWordCount> CEQ::ResetBandWords(OwnerKind kind, int band) {
    const std::vector<double> freqs = InitialFrequencies(kind);
    const double hz = band >= 0 && band < static_cast<int>(freqs.size())
                          ? freqs[static_cast<std::size_t>(band)]
                      : freqs.empty() ? 0.0
                                      : freqs.back();
    std::array<std::int16_t, kBandWordCount> w{};
    w[kBandWordGain] = kGainZeroIndex;
    w[kBandWordQ] = kResetQ;
    w[kBandWordSlope] = kResetSlope;
    w[kBandWordType] = kTypePeaking;
    w[kBandWordFreq] = static_cast<std::int16_t>(NearestFrequencyIndex(hz));
    return w;
}

void CEQ::SetEditObserver(IEditObserver* observer) {
    for (CFilter& filter : m_filters) {
        filter.SetEditObserver(observer);
    }
}

void CEQ::ResetBands() {
    for (int k = 0; k < m_nBandCount; ++k) {
        CFilter& band = m_filters[static_cast<std::size_t>(k)];
        band.LoadBandWords(ResetBandWords(m_nKind, k));
        band.SetAllChanged(0);
    }
}
