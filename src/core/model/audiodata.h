// The one parameter model: the device image and every record that is loaded from it, stored
// into it and saved to parameter files. Record setters mirror into this model's image.
//
// The command catalogue (the change-driven sender and the read/upload sequences) and the
// decoding of the unit's replies work on this model from core/protocol, as functions taking a
// CAudioData&; they reach the image through Image() and the records through the accessors.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/model/audioechodata.h"
#include "core/model/audiomicdata.h"
#include "core/model/audiomusicdata.h"
#include "core/model/audioroute.h"
#include "core/model/audiosoundenhancedata.h"
#include "core/model/audiosystemdata.h"
#include "core/model/audiovoldata.h"
#include "core/model/deviceimage.h"

class CArchive;

class CAudioData {
public:
    CAudioData();
    CAudioData(const CAudioData&) = delete;
    CAudioData& operator=(const CAudioData&) = delete;

    DeviceImage& Image() { return m_image; }
    const DeviceImage& Image() const { return m_image; }

    CAudioMusicData& Music() { return m_music; }
    const CAudioMusicData& Music() const { return m_music; }
    CAudioMICData& Mic() { return m_mic; }
    const CAudioMICData& Mic() const { return m_mic; }
    CAudioEchoData& Echo() { return m_echo; }
    const CAudioEchoData& Echo() const { return m_echo; }
    // Output records by scene; a scene other than 1 means scene 0.
    CAudioMainOutData& MainOut(int scene) { return m_mainOut.GetAt(scene); }
    const CAudioMainOutData& MainOut(int scene) const { return m_mainOut.GetAt(scene); }
    CAudioCenData& Center(int scene) { return m_center.GetAt(scene); }
    const CAudioCenData& Center(int scene) const { return m_center.GetAt(scene); }
    CAudioSubData& Sub(int scene) { return m_sub.GetAt(scene); }
    const CAudioSubData& Sub(int scene) const { return m_sub.GetAt(scene); }
    CAudioMainOutRoute& MainOutRoute() { return m_mainOut; }
    CAudioCenRoute& CenRoute() { return m_center; }
    CAudioSubRoute& SubRoute() { return m_sub; }
    CAudioVolData& Volume() { return m_volume; }
    const CAudioVolData& Volume() const { return m_volume; }
    CAudioSystemData& System() { return m_system; }
    const CAudioSystemData& System() const { return m_system; }
    CAudioSoundEnhanceData& ToneLimits() { return m_tone; }
    const CAudioSoundEnhanceData& ToneLimits() const { return m_tone; }

    // The equalised record of channel ch (0 music, 1 microphone, 2 effect, 3-8 outputs), or
    // null for any other channel.
    CEqRecord* EqRecordOfChannel(int ch);
    const CEqRecord* EqRecordOfChannel(int ch) const;

    // Music, microphone, effect, main 0-1, center 0-1, sub 0-1, tone limits, master volume,
    // system: each record from its block (system from the system block).
    void LoadAllFromImage(const DeviceImage& image);
    // The same records except the system into their blocks.
    void StoreAllToImage(DeviceImage& image) const;
    // Every changed flag of music, microphone, effect, the six output records and the master
    // volume to v (the tone limits and the system record keep theirs).
    void SetAllChanged(int v);
    // Every record setter reports its edits to `observer` (null: none).
    void SetEditObserver(IEditObserver* observer);
    IEditObserver* EditObserver() const { return m_pObserver; }

    // Lays every band set out for a response curve plot of w x h pixels.
    void SetPlotSize(int w, int h);

    // After a parameter file is loaded and before it is uploaded: the output section's
    // Auto/Manual mode and active scene (microphone words 2 and 3) are set back from the
    // system record's copies, and the copies are written back, all through their setters.
    void RestoreOutputSection();

    // The parameter file form (no header: every record in a fixed order). Loading reads into
    // the existing records, sets no flag and leaves the image alone.
    void Serialize(CArchive& ar);
    // Length of the file form.
    static std::size_t SerializedSize();

private:
    // The image is declared first: every record keeps a pointer to it.
    DeviceImage m_image;
    CAudioMusicData m_music;
    CAudioMICData m_mic;
    CAudioEchoData m_echo;
    CAudioMainOutRoute m_mainOut;
    CAudioCenRoute m_center;
    CAudioSubRoute m_sub;
    CAudioVolData m_volume;
    CAudioSystemData m_system;
    CAudioSoundEnhanceData m_tone;
    IEditObserver* m_pObserver = nullptr;
};

// Detaches the model's edit observer for its lifetime: what it changes (loads, read-backs,
// replies, undo and redo themselves) is no edit of the user's.
class CEditPause {
public:
    explicit CEditPause(CAudioData& model) : m_model(model), m_pSaved(model.EditObserver()) {
        m_model.SetEditObserver(nullptr);
    }
    ~CEditPause() { m_model.SetEditObserver(m_pSaved); }
    CEditPause(const CEditPause&) = delete;
    CEditPause& operator=(const CEditPause&) = delete;

private:
    CAudioData& m_model;
    IEditObserver* m_pSaved;
};
