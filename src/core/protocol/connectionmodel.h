// What the link controller needs from the parameter model and its command catalogue: queueing
// the read-back and the upload, and taking the results in. CAudioDataAdapter is the model's
// side; tests put stand-ins in its place.
#pragma once

#include <cstdint>

class CCommand;

class IConnectionModel {
public:
    virtual ~IConnectionModel() = default;
    // Every changed flag to v (0: nothing stale is sent).
    virtual void SetAllChanged(int v) = 0;
    // A link came up and its read-back is about to be queued: edits not yet acknowledged by a
    // unit are kept aside.
    virtual void LinkUp() {}
    // Queues the read-back of the unit's whole state; mode m > 0 first recalls stored mode
    // m - 1. `usbChunks`: as the chunk requests of the USB link.
    virtual void ReadAllSequence(CCommand& command, int mode, bool usbChunks) = 0;
    // Queues the upload of the whole model and the volume confirmation.
    virtual void UploadAllSequence(CCommand& command, bool usbChunks) = 0;
    // The read-back is complete: load every record from the image, clear every flag.
    virtual void ApplyReadBack() = 0;
    // The volume confirmation arrived.
    virtual void ApplyVolumes() = 0;
    // The unit reported its music key; false when it equals the value last shown.
    virtual bool ApplyKeyReport(std::int16_t value) = 0;
    // The panel-lock word of the system block is 1.
    virtual bool PanelLocked() const = 0;
    // Stores the mode index as word 0 of the system block.
    virtual void SetCurrentMode(int mode) = 0;
    // Before an upload: the output Auto/Manual and active-scene words set again through the
    // system record's setters, so that they reach the system block.
    virtual void RefreshOutputSelection() = 0;
};
