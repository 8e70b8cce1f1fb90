#include "core/model/audiodata.h"

#include <utility>

#include "core/model/archive.h"
#include "core/protocol/framebuilder.h"

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
        case kChannelMusic:
            return &m_music;
        case kChannelMic:
            return &m_mic;
        case kChannelEffect:
            return &m_echo;
        case kChannelMainOut:
        case kChannelMainOut + 1:
            return &MainOut(ch - kChannelMainOut);
        case kChannelCenter:
        case kChannelCenter + 1:
            return &Center(ch - kChannelCenter);
        case kChannelSub:
        case kChannelSub + 1:
            return &Sub(ch - kChannelSub);
        default:
            return nullptr;
    }
}

void CAudioData::LoadAllFromImage(const DeviceImage& image) {
    for (int ch = kChannelMusic; ch <= kChannelSub + 1; ++ch) {
        EqRecordOfChannel(ch)->LoadFromImage(image);
    }
    m_tone.LoadFromImage(image);
    m_volume.LoadFromImage(image);
    m_system.LoadFromImage(image);
}

void CAudioData::SetPlotSize(int w, int h) {
    for (int ch = kChannelMusic; ch <= kChannelSub + 1; ++ch) {
        EqRecordOfChannel(ch)->GetEQ().SetPlotSize(w, h);
    }
}

void CAudioData::StoreAllToImage(DeviceImage& image) const {
    for (int ch = kChannelMusic; ch <= kChannelSub + 1; ++ch) {
        EqRecordOfChannel(ch)->StoreToImage(image);
    }
    m_tone.StoreToImage(image);
    m_volume.StoreToImage(image);
}

void CAudioData::SetAllChanged(int v) {
    for (int ch = kChannelMusic; ch <= kChannelSub + 1; ++ch) {
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
    for (int ch = kChannelMusic; ch <= kChannelSub + 1; ++ch) {
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

std::unique_ptr<CSendData> CAudioData::MakeParamFrame(std::uint8_t op, std::uint8_t channel,
                                                      std::uint8_t param, std::int16_t value) {
    return CFrameBuilder::MakeParamFrame(op, channel, param, value);
}

std::unique_ptr<CSendData> CAudioData::MakeParamFrameBytes(std::uint8_t op, std::uint8_t channel,
                                                           std::uint8_t param, std::uint8_t lo,
                                                           std::uint8_t hi) {
    return CFrameBuilder::MakeParamFrameBytes(op, channel, param, lo, hi);
}

std::unique_ptr<CSendData> CAudioData::MakeBlockFrame(std::uint8_t op, std::uint8_t channel,
                                                      std::uint8_t start,
                                                      std::span<const std::uint8_t> data, int n) {
    return CFrameBuilder::MakeBlockFrame(op, channel, start, data, n);
}
