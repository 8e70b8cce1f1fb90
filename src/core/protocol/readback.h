// Decoding the unit's data replies into the device image, and what the model does when a
// read-back completes, when the volumes are confirmed and when the unit reports its key.
#pragma once

#include <cstdint>
#include <span>

class CAudioData;
struct DeviceImage;
struct CLinkState;

// Stores the payload of one complete data reply into the image block of `channel` (0-10, or
// the system block for 30); other channels are ignored. `frame` covers the whole frame: the
// words decoded are the fewest of the payload's (byte 2 - 4), the block's and what the frame
// can carry. Records are not touched.
void DecodeReply(CAudioData& model, std::uint8_t channel, std::span<const std::uint8_t> frame);

// The scene every output page shows: scene 0 while the output section is in Auto mode (1),
// otherwise the active scene.
int SelectedOutputScene(int autoMode, int activeScene);
// The panel is locked (the unit asks for its password first): panel-lock word of the system
// block is 1.
bool PanelLocked(const DeviceImage& image);

struct ReadBackResult {
    int outScene = 0;          // the scene every output page shows
    bool panelLocked = false;  // the unit asks for its password first
};
// After the system block: every record from the image, every changed flag cleared.
ReadBackResult ApplyReadBack(CAudioData& model);

// After the confirming volume read: the volume record from the image, its flags cleared.
void ApplyVolumes(CAudioData& model, CLinkState& state);

// A key value reported by the unit. Returns false when it equals the value last shown;
// otherwise the music record takes it without a pending change and true is returned (the key
// display then shows value - 7).
bool ApplyKeyReport(CAudioData& model, std::int16_t value);
