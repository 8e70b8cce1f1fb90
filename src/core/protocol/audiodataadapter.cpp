#include "core/protocol/audiodataadapter.h"

#include "core/model/audiodata.h"
#include "core/protocol/catalogue.h"
#include "core/protocol/linkstate.h"
#include "core/protocol/readback.h"

std::unique_ptr<CSendData> CAudioDataAdapter::NextPendingFrame() {
    auto frame = ::NextPendingFrame(m_model);
    if (frame == nullptr) {
        ++m_nEmptyScans;
        // Asked with the queue empty: everything sent has been acknowledged.
        if (m_state.connected == 1) {
            m_session.AllSent();
        }
    }
    return frame;
}

void CAudioDataAdapter::DecodeReply(std::uint8_t channel, std::span<const std::uint8_t> frame) {
    ::DecodeReply(m_model, channel, frame);
}

void CAudioDataAdapter::SetAllChanged(int v) {
    m_model.SetAllChanged(v);
}

void CAudioDataAdapter::LinkUp() {
    m_session.LinkUp();
}

void CAudioDataAdapter::ReadAllSequence(CCommand& command, int mode, bool usbChunks) {
    ::ReadAllSequence(command, usbChunks, mode);
}

void CAudioDataAdapter::UploadAllSequence(CCommand& command, bool usbChunks) {
    ::UploadAllSequence(m_model, command, m_state, usbChunks);
    m_session.Uploaded();
}

void CAudioDataAdapter::ApplyReadBack() {
    m_nOutputScene = ::ApplyReadBack(m_model).outScene;
    m_lastOutcome = m_session.ReadBackApplied();
}

void CAudioDataAdapter::ApplyVolumes() {
    ::ApplyVolumes(m_model, m_state);
}

bool CAudioDataAdapter::ApplyKeyReport(std::int16_t value) {
    const CEditPause pause(m_model);
    return ::ApplyKeyReport(m_model, value);
}

bool CAudioDataAdapter::PanelLocked() const {
    return ::PanelLocked(m_model.Image());
}

void CAudioDataAdapter::SetCurrentMode(int mode) {
    m_model.Image().SetSystemWord(kSysModeIndexByte / 2, static_cast<std::int16_t>(mode));
}

void CAudioDataAdapter::RefreshOutputSelection() {
    const CEditPause pause(m_model);
    CAudioSystemData& system = m_model.System();
    const std::int16_t autoMode = system.GetOutAutoCopy();
    const std::int16_t scene = system.GetOutSceneCopy();
    system.SetOutAutoCopy(autoMode);
    system.SetOutSceneCopy(scene);
    m_nOutputScene = SelectedOutputScene(autoMode, scene);
}
