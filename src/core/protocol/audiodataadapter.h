// The parameter model as the command engine and the link controller see it: the engine takes
// changed parameters from it and hands it the unit's replies to decode; the controller queues
// the read-back and the upload through it and has the results applied. The read-back rules
// (output scene, panel lock) are those of readback.h.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "core/protocol/connectionmodel.h"
#include "core/protocol/editsession.h"
#include "core/protocol/linkinterfaces.h"

class CAudioData;
struct CLinkState;

class CAudioDataAdapter : public ICommandModel, public IConnectionModel {
public:
    CAudioDataAdapter(CAudioData& model, CLinkState& state)
        : m_model(model), m_state(state), m_session(model) {}

    // ICommandModel.
    std::unique_ptr<CSendData> NextPendingFrame() override;
    void DecodeReply(std::uint8_t channel, std::span<const std::uint8_t> frame) override;

    // IConnectionModel.
    void SetAllChanged(int v) override;
    void LinkUp() override;
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
    // How often NextPendingFrame found nothing to send: once it has grown while the queue is
    // empty, every change made before has been sent and acknowledged.
    int EmptyScans() const { return m_nEmptyScans; }

    // The undo history, the kept edits and the A/B slots of the model; what the last read-back
    // did with the kept edits.
    CEditSession& Session() { return m_session; }
    CEditSession::Outcome LastReadBackOutcome() const { return m_lastOutcome; }

private:
    CAudioData& m_model;
    CLinkState& m_state;
    int m_nOutputScene = 0;
    int m_nEmptyScans = 0;
    CEditSession m_session;
    CEditSession::Outcome m_lastOutcome = CEditSession::Outcome::NothingKept;
};
