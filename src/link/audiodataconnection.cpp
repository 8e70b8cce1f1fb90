#include "link/audiodataconnection.h"

#include "core/model/audiodata.h"
#include "core/protocol/catalogue.h"
#include "core/protocol/readback.h"

void CAudioDataConnection::SetAllChanged(int v) {
    m_model.SetAllChanged(v);
}

void CAudioDataConnection::ReadAllSequence(CCommand& command, int mode, bool usbChunks) {
    ::ReadAllSequence(command, usbChunks, mode);
}

void CAudioDataConnection::UploadAllSequence(CCommand& command, bool usbChunks) {
    ::UploadAllSequence(m_model, command, m_state, usbChunks);
}

void CAudioDataConnection::ApplyReadBack() {
    const ReadBackResult result = ::ApplyReadBack(m_model);
    m_nOutputScene = result.outScene;
}

void CAudioDataConnection::ApplyVolumes() {
    ::ApplyVolumes(m_model, m_state);
}

bool CAudioDataConnection::ApplyKeyReport(std::int16_t value) {
    return ::ApplyKeyReport(m_model, value);
}

bool CAudioDataConnection::PanelLocked() const {
    return m_model.Image().SystemWord(kSysPanelLockWord) == 1;
}

void CAudioDataConnection::SetCurrentMode(int mode) {
    m_model.Image().SetSystemWord(0, static_cast<std::int16_t>(mode));
}

void CAudioDataConnection::RefreshOutputSelection() {
    CAudioSystemData& system = m_model.System();
    const std::int16_t autoMode = system.GetOutAutoCopy();
    const std::int16_t scene = system.GetOutSceneCopy();
    system.SetOutAutoCopy(autoMode);
    system.SetOutSceneCopy(scene);
    m_nOutputScene = autoMode == 1 ? 0 : scene;
}
