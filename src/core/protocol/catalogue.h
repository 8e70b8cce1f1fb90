// Everything the editor sends to the unit: the change-driven sender, the request, upload and
// system command builders, and the whole-state read and upload sequences.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "core/protocol/senddata.h"
#include "core/protocol/systemcommands.h"

class CAudioData;
class CCommand;
struct CLinkState;

// The write frame of the first pending change in the sender's scan order, after clearing that
// change's flag; null when nothing is pending. The value is read now, so several edits of one
// field between two calls leave as one frame carrying the latest value.
std::unique_ptr<CSendData> NextPendingFrame(CAudioData& model);

std::unique_ptr<CSendData> MakeReadRequest(std::uint8_t channel);
std::unique_ptr<CSendData> MakeReadRequestAt(std::uint8_t channel, std::uint8_t start);
// All device words of block 0-10 (channel 10 first refreshes words 0-2 from the master volume
// record); null for other channels.
std::unique_ptr<CSendData> MakeBlockUpload(CAudioData& model, std::uint8_t channel);
// The chunk of the USB chunk plan starting at `start`; null for any other start.
std::unique_ptr<CSendData> MakeChunkUpload(CAudioData& model, std::uint8_t channel,
                                           std::uint8_t start);
std::unique_ptr<CSendData> MakeSelectMode(std::int16_t mode);
std::unique_ptr<CSendData> MakeConnectProbe();
std::unique_ptr<CSendData> MakeEqReset(std::uint8_t channel);
// 20 bytes, the name's first 20 characters padded with spaces; null for an empty name.
std::unique_ptr<CSendData> MakeBluetoothName(std::string_view name);

// Queues the read of the unit's whole state: when mode > 0 first the recall of stored mode
// mode - 1, then channels 0-10 and last the system block; chunked on USB.
void ReadAllSequence(CCommand& engine, bool chunked, int mode = 0);
// Stores the records into the image, clears every changed flag, queues the upload of
// channels 0-10 (chunked on USB) and then the volume read with the confirm state set.
void UploadAllSequence(CAudioData& model, CCommand& engine, CLinkState& state, bool chunked);
