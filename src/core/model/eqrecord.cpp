#include "core/model/eqrecord.h"

#include <array>
#include <vector>

#include "core/model/deviceimage.h"

CEqRecord::CEqRecord(std::span<const FieldDef> fields, OwnerKind kind, int scene,
                     DeviceImage* image)
    : CParamRecord(fields, OwnerChannel(kind, scene), scene, image), m_nKind(kind) {
    m_eq.SetUp(kind, scene, image);
}

void CEqRecord::AttachEditObserver(IEditObserver* observer) {
    SetEditObserver(observer);
    m_eq.SetEditObserver(observer);
}

void CEqRecord::SetAllChanged(int v) {
    SetFieldsChanged(v);
    m_eq.SetAllChanged(v);
}

void CEqRecord::LoadFromImage(const DeviceImage& image) {
    LoadFields(image);
    const int ch = Channel();
    for (int k = 0; k < m_eq.GetBandCount(); ++k) {
        CFilter& band = m_eq.GetAt(k);
        std::array<std::int16_t, kBandWordCount> w{};
        for (int i = 0; i < kBandWordCount; ++i) {
            w[static_cast<std::size_t>(i)] = image.Word(ch, band.BandWordBase() + i);
        }
        band.LoadBandWords(w);
    }
    for (CFilter* xover : {m_eq.GetHighPass(), m_eq.GetLowPass()}) {
        if (xover == nullptr) {
            continue;
        }
        const std::int16_t q =
            xover->XoverQSlot() >= 0 ? image.PcWord(ch, xover->XoverQSlot()) : xover->m_nXoverQ;
        xover->LoadXover(image.Word(ch, xover->XoverFreqWord()),
                         image.PcWord(ch, xover->XoverStepSlot()), q);
    }
    OnLoadedFromImage();
}

void CEqRecord::StoreToImage(DeviceImage& image) const {
    StoreFields(image);
    const int ch = Channel();
    for (int k = 0; k < m_eq.GetBandCount(); ++k) {
        const CFilter& band = m_eq.GetAt(k);
        std::array<std::int16_t, kBandWordCount> w{};
        band.StoreBandWords(w);
        for (int i = 0; i < kBandWordCount; ++i) {
            image.SetWord(ch, band.BandWordBase() + i, w[static_cast<std::size_t>(i)]);
        }
    }
    for (const CFilter* xover : {m_eq.GetHighPass(), m_eq.GetLowPass()}) {
        if (xover == nullptr) {
            continue;
        }
        image.SetWord(ch, xover->XoverFreqWord(), xover->m_nXoverFreq);
        image.SetPcWord(ch, xover->XoverStepSlot(), xover->m_nXoverStepCode);
        image.SetPcWord(ch, xover->XoverQSlot(), xover->m_nXoverQ);
    }
}

void CEqRecord::Serialize(CArchive& ar) {
    SerializeFields(ar);
    m_eq.Serialize(ar);
}

bool CEqRecord::ResetEq() {
    if (IsEqBypassed()) {
        return false;
    }
    std::vector<std::int16_t> before;
    for (int k = 0; k < m_eq.GetBandCount(); ++k) {
        for (int w = 0; w < kBandWordCount; ++w) {
            before.push_back(m_eq.GetAt(k).BandWordValue(w));
        }
    }
    m_eq.ResetBands();
    const CEditGroup group(m_pObserver);
    if (m_pObserver == nullptr) {
        return true;
    }
    for (int k = 0; k < m_eq.GetBandCount(); ++k) {
        const CFilter& band = m_eq.GetAt(k);
        for (int w = 0; w < kBandWordCount; ++w) {
            const std::int16_t old = before[static_cast<std::size_t>(k * kBandWordCount + w)];
            m_pObserver->OnEdit({{CellSpace::Word, Channel(), band.BandWordBase() + w},
                                 old,
                                 band.BandWordValue(w)});
        }
    }
    return true;
}
