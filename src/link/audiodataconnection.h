// The parameter model as the link controller uses it: the catalogue's read and upload
// sequences and the read-back's completion steps on one CAudioData.
#pragma once

#include "link/connectionmodel.h"

class CAudioData;
struct CLinkState;

class CAudioDataConnection : public IConnectionModel {
public:
    CAudioDataConnection(CAudioData& model, CLinkState& state) : m_model(model), m_state(state) {}

    void SetAllChanged(int v) override;
    void ReadAllSequence(CCommand& command, int mode, bool usbChunks) override;
    void UploadAllSequence(CCommand& command, bool usbChunks) override;
    void ApplyReadBack() override;
    void ApplyVolumes() override;
    bool ApplyKeyReport(std::int16_t value) override;
    bool PanelLocked() const override;
    void SetCurrentMode(int mode) override;
    void RefreshOutputSelection() override;

    // The output pages' scene by the read-back rule, after the last read-back or upload.
    int OutputScene() const { return m_nOutputScene; }

private:
    CAudioData& m_model;
    CLinkState& m_state;
    int m_nOutputScene = 0;
};
