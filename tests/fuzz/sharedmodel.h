// Building a model computes every band's response, which costs far more than one fuzz input's
// work, so one model serves every input. Each input starts from the same state: the image the
// model was built with, every record loaded from it and no changed flag. Records are loaded
// again only when the input changed them (a read-back or the volumes applied, the output
// selection set again); a key shift or a
// reported key alone is set back by its setters.
#pragma once

#include <algorithm>
#include <cstdint>

#include "core/model/audiodata.h"
#include "core/protocol/connectionmodel.h"

class CSharedModel {
public:
    enum class Touched { None, KeyShift, All };

    CSharedModel()
        : m_pristine(m_model.Image()),
          m_nPristineKey(m_model.Music().GetKeyShift()),
          m_nPristineKeyShown(m_model.Music().GetLastKeyShown()) {
        m_touched = Touched::All;
        Restore();
    }
    CAudioData& Model() { return m_model; }
    void Touch(Touched touched) { m_touched = std::max(m_touched, touched); }
    void Restore() {
        m_model.Image() = m_pristine;
        if (m_touched == Touched::All) {
            m_model.LoadAllFromImage(m_pristine);
        } else if (m_touched == Touched::KeyShift) {
            m_model.Music().SetKeyShift(m_nPristineKey);
            m_model.Music().SetLastKeyShown(m_nPristineKeyShown);
        }
        m_model.SetAllChanged(0);
        m_touched = Touched::None;
    }

private:
    CAudioData m_model;
    const DeviceImage m_pristine;
    const std::int16_t m_nPristineKey;
    const std::int16_t m_nPristineKeyShown;
    Touched m_touched = Touched::None;
};

// The link controller's view of the shared model: every call is passed on, and those that
// change records tell the shared model how much it has to set back.
class CTouchingConnectionModel : public IConnectionModel {
public:
    CTouchingConnectionModel(IConnectionModel& model, CSharedModel& shared)
        : m_model(model), m_shared(shared) {}

    void SetAllChanged(int v) override { m_model.SetAllChanged(v); }
    void ReadAllSequence(CCommand& command, int mode, bool usbChunks) override {
        m_model.ReadAllSequence(command, mode, usbChunks);
    }
    void UploadAllSequence(CCommand& command, bool usbChunks) override {
        m_model.UploadAllSequence(command, usbChunks);
    }
    void ApplyReadBack() override {
        m_shared.Touch(CSharedModel::Touched::All);
        m_model.ApplyReadBack();
    }
    void ApplyVolumes() override {
        m_shared.Touch(CSharedModel::Touched::All);
        m_model.ApplyVolumes();
    }
    bool ApplyKeyReport(std::int16_t value) override {
        m_shared.Touch(CSharedModel::Touched::KeyShift);
        return m_model.ApplyKeyReport(value);
    }
    bool PanelLocked() const override { return m_model.PanelLocked(); }
    void SetCurrentMode(int mode) override { m_model.SetCurrentMode(mode); }
    void RefreshOutputSelection() override {
        m_shared.Touch(CSharedModel::Touched::All);
        m_model.RefreshOutputSelection();
    }

private:
    IConnectionModel& m_model;
    CSharedModel& m_shared;
};
