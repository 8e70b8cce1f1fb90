#include "core/model/audiodata.h"

#include <utility>

#include "core/model/archive.h"

CAudioData::CAudioData()
    : m_music(&m_image),
      m_mic(&m_image),
      m_echo(&m_image),
      m_mainOut(&m_image),
      m_center(&m_image),
      m_sub(&m_image),
      m_volume(&m_image),
      m_system(&m_image),
      m_tone(&m_image) {}

CEqRecord* CAudioData::EqRecordOfChannel(int ch) {
    return const_cast<CEqRecord*>(std::as_const(*this).EqRecordOfChannel(ch));
}

const CEqRecord* CAudioData::EqRecordOfChannel(int ch) const {
    switch (ch) {
        case kChMusic:
            return &m_music;
        case kChMic:
            return &m_mic;
        case kChEffect:
            return &m_echo;
        case kChMainOut:
        case kChMainOut + 1:
            return &MainOut(ch - kChMainOut);
        case kChCenter:
        case kChCenter + 1:
            return &Center(ch - kChCenter);
        case kChSub:
        case kChSub + 1:
            return &Sub(ch - kChSub);
        default:
            return nullptr;
    }
}

void CAudioData::LoadAllFromImage(const DeviceImage& image) {
    for (int ch = kChMusic; ch <= kChSub + 1; ++ch) {
        EqRecordOfChannel(ch)->LoadFromImage(image);
    }
    m_tone.LoadFromImage(image);
    m_volume.LoadFromImage(image);
    m_system.LoadFromImage(image);
}

void CAudioData::SetEditObserver(IEditObserver* observer) {
    m_pObserver = observer;
    for (int ch = kChMusic; ch <= kChSub + 1; ++ch) {
        EqRecordOfChannel(ch)->AttachEditObserver(observer);
    }
    m_tone.SetEditObserver(observer);
    m_volume.SetEditObserver(observer);
    m_system.SetEditObserver(observer);
}

void CAudioData::SetPlotSize(int w, int h) {
    for (int ch = kChMusic; ch <= kChSub + 1; ++ch) {
        EqRecordOfChannel(ch)->GetEQ().SetPlotSize(w, h);
    }
}

void CAudioData::StoreAllToImage(DeviceImage& image) const {
    for (int ch = kChMusic; ch <= kChSub + 1; ++ch) {
        EqRecordOfChannel(ch)->StoreToImage(image);
    }
    m_tone.StoreToImage(image);
    m_volume.StoreToImage(image);
}

void CAudioData::SetAllChanged(int v) {
    for (int ch = kChMusic; ch <= kChSub + 1; ++ch) {
        EqRecordOfChannel(ch)->SetAllChanged(v);
    }
    m_volume.SetAllChanged(v);
    // The tone limits too: after a read-back or an upload nothing may be left pending, or a
    // limit edited before the connection would overwrite what was just read.
    m_tone.SetAllChanged(v);
}

void CAudioData::RestoreOutputSection() {
    const std::int16_t outAuto = m_system.GetOutAutoCopy();
    const std::int16_t outScene = m_system.GetOutSceneCopy();
    m_mic.SetOutAuto(outAuto);
    m_mic.SetOutScene(outScene);
    m_system.SetOutAutoCopy(outAuto);
    m_system.SetOutSceneCopy(outScene);
}

void CAudioData::Serialize(CArchive& ar) {
    for (int ch = kChMusic; ch <= kChSub + 1; ++ch) {
        EqRecordOfChannel(ch)->Serialize(ar);
    }
    m_tone.Serialize(ar);
    m_system.Serialize(ar);
}

std::size_t CAudioData::SerializedSize() {
    static const std::size_t size = [] {
        CAudioData fresh;
        CArchive ar;
        fresh.Serialize(ar);
        return ar.Bytes().size();
    }();
    return size;
}
