// Stand-ins for the parameter model: the engine's side (no pending changes; replies recorded)
// and the controller's side (the read-back asks for the system block only).
#pragma once

#include <vector>

#include "core/protocol/command.h"
#include "core/protocol/connectionmodel.h"
#include "core/protocol/framebuilder.h"

class CFakeCommandModel : public ICommandModel {
public:
    std::unique_ptr<CSendData> NextPendingFrame() override { return nullptr; }
    void DecodeReply(std::uint8_t channel, std::span<const std::uint8_t> frame) override {
        decoded.push_back(channel);
        if (channel == 30 && frame.size() >= 6 + 148) {
            panelLock = frame[6 + 146];
        }
    }
    std::vector<int> decoded;
    int panelLock = 0;
};

class CFakeConnectionModel : public IConnectionModel {
public:
    explicit CFakeConnectionModel(CFakeCommandModel& image) : m_image(image) {}
    void SetAllChanged(int v) override { lastSetAllChanged = v; }
    void ReadAllSequence(CCommand& command, int mode, bool usbChunks) override {
        readAllModes.push_back(mode);
        lastUsbChunks = usbChunks;
        command.Enqueue(CFrameBuilder::MakeParamFrameBytes(kOpRead, 30, 0x10, 30, 0));
    }
    void UploadAllSequence(CCommand&, bool) override { ++uploads; }
    void ApplyReadBack() override { ++readBacks; }
    void ApplyVolumes() override { ++volumes; }
    bool ApplyKeyReport(std::int16_t value) override {
        keys.push_back(value);
        return true;
    }
    bool PanelLocked() const override { return m_image.panelLock == 1; }
    void SetCurrentMode(int mode) override { currentMode = mode; }
    void RefreshOutputSelection() override { ++outputRefreshes; }

    int lastSetAllChanged = -1;
    std::vector<int> readAllModes;
    bool lastUsbChunks = false;
    int uploads = 0;
    int readBacks = 0;
    int volumes = 0;
    std::vector<int> keys;
    int currentMode = -1;
    int outputRefreshes = 0;

private:
    CFakeCommandModel& m_image;
};
