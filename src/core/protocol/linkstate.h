// The link state record shared by the command engine, the link controller and the connection
// search.
#pragma once

#include <array>
#include <cstdint>

#include "core/protocol/linkinterfaces.h"

inline constexpr int kDefaultIdleLimit = 55;

// Where the connection search stands. After a connection it keeps the stage that found the
// unit, and Usb then selects the USB form of the read-back and upload (chunked requests).
enum class SearchStage : int { Usb = 0, Serial = 1, Network = 2, Exhausted = 4 };

struct CLinkState {
    int unitAcked = 0;    // 1 once the unit answered EE CC
    int unitRefused = 0;  // 1 after EE DD, or EE BB while not yet acknowledged
    int connected = 0;    // 1 while a link is up
    LinkKind linkKind = LinkKind::Usb;
    SearchStage searchStage = SearchStage::Usb;
    std::uint8_t retryCount = 0;  // consecutive reply time-outs; reset by any arrival
    int resends = 0;              // frames sent again after a time-out, for the link's statistics
    int uploadConfirm = 0;        // 1 while the volume block is awaited after an upload
    // Reads are reply-driven: when a read request's reply is complete, the next queued read
    // leaves at once instead of at the next tick. pacedReads (1: --paced) keeps the tick pacing
    // throughout; readsBackedOff is raised by a busy answer (EE AA) or a time-out and keeps the
    // tick pacing until the link ends or the next search starts.
    int pacedReads = 0;
    int readsBackedOff = 0;
    std::array<int, kLinkKinds> idleTicks{};
    std::array<int, kLinkKinds> idleLimit{kDefaultIdleLimit, kDefaultIdleLimit, kDefaultIdleLimit};

    // Whether reads and uploads go as the USB chunks.
    bool Chunked() const { return searchStage == SearchStage::Usb; }
};
