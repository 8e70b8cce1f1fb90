// Receive paths of the command engine: status replies, data replies recognised by their total
// length over serial and network, and USB chunk reports.
#include <gtest/gtest.h>

#include "tests/support/enginefakes.h"

namespace {
const char* kWrite = "F5 35 06 B7 00 00 03 00 AF";
const char* kRead = "F5 35 06 B0 1E 10 01 00 D4";

// A USB chunk report frame: F5 35 (n+4) B0 channel start, n payload bytes, checksum.
std::string ChunkHex(int channel, int start, int words, int first) {
    Bytes frame = {0xF5,
                   0x35,
                   static_cast<std::uint8_t>(2 * words + 4),
                   0xB0,
                   static_cast<std::uint8_t>(channel),
                   static_cast<std::uint8_t>(start)};
    for (int i = 0; i < words; ++i) {
        frame.push_back(static_cast<std::uint8_t>((first + i) & 0xFF));
        frame.push_back(static_cast<std::uint8_t>((first + i) >> 8));
    }
    frame.push_back(0);
    return ToHex(frame);
}

std::vector<int> WordsOf(const Bytes& frame, int count) {
    std::vector<int> words;
    for (int i = 0; i < count; ++i) {
        words.push_back(frame[6 + 2 * i] | (frame[7 + 2 * i] << 8));
    }
    return words;
}
}  // namespace

struct StatusCase {
    const char* bytes;
    int ackedBefore;
    int ackedAfter;
    int refusedAfter;
    int framesRemoved;
    int rxCountAfter;
};

TEST(CommandReceive, StatusRepliesOfTwoAndFourBytes) {
    const StatusCase cases[] = {
        {"EE CC", 0, 1, 0, 1, 0},
        {"EE DD", 1, 0, 1, 1, 0},
        {"EE BB", 0, 0, 1, 1, 0},
        {"EE BB", 1, 1, 0, 1, 0},
        {"EE AA", 1, 1, 0, 0, 0},
        {"EE 11", 1, 1, 0, 0, 2},
        {"F5 35", 1, 1, 0, 0, 2},
        {"EE CC EE CC", 0, 1, 0, 1, 0},
        {"EE BB 00 00", 0, 0, 1, 1, 0},
        {"EE BB EE BB", 1, 1, 0, 1, 0},
        {"EE DD EE DD", 1, 0, 1, 1, 0},
        {"EE AA EE AA", 1, 0, 0, 1, 0},
        {"EE DD 12 34", 0, 0, 1, 1, 0},
        {"EE 11 22 33", 1, 0, 0, 1, 0},
        {"F5 35 06 B7", 1, 1, 0, 0, 4},
        // Two search ticks' handshakes answered in one read.
        {"EE CC EE CC EE CC EE CC", 0, 1, 0, 1, 0},
        {"EE CC EE CC EE CC", 0, 1, 0, 1, 0},
        {"EE CC EE CC EE CC EE 11", 0, 0, 0, 0, 8},
    };
    for (const StatusCase& c : cases) {
        for (bool network : {false, true}) {
            EngineRig rig;
            rig.state.unitAcked = c.ackedBefore;
            rig.Queue(kWrite);
            rig.Queue(kRead);
            network ? rig.Network(c.bytes) : rig.Serial(c.bytes);
            const std::string what = std::string(c.bytes) + (network ? " network" : " serial");
            EXPECT_EQ(rig.state.unitAcked, c.ackedAfter) << what;
            EXPECT_EQ(rig.state.unitRefused, c.refusedAfter) << what;
            EXPECT_EQ(rig.engine.GetCount(), 2 - c.framesRemoved) << what;
            EXPECT_EQ(rig.engine.RxCount(), c.rxCountAfter) << what;
        }
    }
}

TEST(CommandReceive, StatusReplySplitOverTwoReadsAndTheNetworkGreeting) {
    EngineRig rig;
    rig.Queue(kWrite);
    rig.Serial("EE");
    EXPECT_EQ(rig.engine.GetCount(), 1);
    rig.Serial("CC");
    EXPECT_EQ(rig.engine.GetCount(), 0);
    EXPECT_EQ(rig.state.unitAcked, 1);

    // EE AA and twelve more bytes: the network module's greeting withdraws the acknowledgement.
    const char* greeting = "EE AA 01 02 03 04 05 06 07 08 09 0A 0B 0C";
    EngineRig net;
    net.state.unitAcked = 1;
    net.Queue(kWrite);
    net.Network(greeting);
    EXPECT_EQ(net.state.unitAcked, 0);
    EXPECT_EQ(net.engine.GetCount(), 0);
    // Over serial the same bytes are not a known reply: they stay accumulated.
    EngineRig ser;
    ser.state.unitAcked = 1;
    ser.Queue(kWrite);
    ser.Serial(greeting);
    EXPECT_EQ(ser.engine.GetCount(), 1);
    EXPECT_EQ(ser.engine.RxCount(), 14);
}

struct DataCase {
    int total;
    std::uint8_t byte4;
    int decodedChannel;  // -1: not recognised
};

TEST(CommandReceive, DataRepliesAreDecodedByTotalAndChannel) {
    const DataCase cases[] = {
        {21, 10, 10}, {43, 9, 9},  {71, 5, 5},  {71, 8, 8},    {71, 4, -1},
        {71, 9, -1},  {77, 2, 2},  {87, 0, 0},  {87, 5, 0},    {91, 3, 3},
        {91, 4, 4},   {91, 2, -1}, {91, 7, -1}, {159, 30, 30}, {171, 1, 1},
    };
    for (const DataCase& c : cases) {
        EngineRig rig;
        rig.Queue(kRead);
        const Bytes reply = DataReply(c.total, c.byte4);
        rig.engine.OnReceived(LinkKind::Network, reply);
        const std::string what = std::to_string(c.total) + "/" + std::to_string(c.byte4);
        if (c.decodedChannel < 0) {
            EXPECT_TRUE(rig.model.m_decoded.empty()) << what;
            EXPECT_EQ(rig.engine.GetCount(), 1) << what;
            EXPECT_EQ(rig.engine.RxCount(), c.total) << what;
            continue;
        }
        ASSERT_EQ(rig.model.m_decoded.size(), 1u) << what;
        EXPECT_EQ(rig.model.m_decoded[0].channel, c.decodedChannel) << what;
        EXPECT_EQ(rig.model.m_decoded[0].frame, reply) << what;
        EXPECT_EQ(rig.engine.GetCount(), 0) << what;
        EXPECT_EQ(rig.engine.RxCount(), 0) << what;
        const bool system = c.decodedChannel == 30;
        EXPECT_EQ(rig.sink.m_sent.size(), system ? 1u : 0u) << what;
        if (system) {
            EXPECT_EQ(rig.sink.m_sent[0].message, MSG_SYSTEM_DATA_READ);
        }
    }
}

TEST(CommandReceive, VolumeReplyNotifiesOnlyWhileConfirming) {
    for (int confirm : {0, 1}) {
        EngineRig rig;
        rig.state.uploadConfirm = confirm;
        rig.Queue(kRead);
        const Bytes reply = DataReply(21, 10);
        rig.engine.OnReceived(LinkKind::Serial, reply);
        EXPECT_EQ(rig.model.m_decoded.size(), 1u);
        const std::vector<SinkMessage> expected =
            confirm == 1 ? std::vector<SinkMessage>{{MSG_VOLUMES_READ, 0}}
                         : std::vector<SinkMessage>{};
        EXPECT_EQ(rig.sink.m_sent, expected);
    }
}

TEST(CommandReceive, KeyReportIsPostedAndNotDecoded) {
    EngineRig rig;
    rig.Queue("F5 35 06 B0 1E 10 0D 00 E0");
    rig.Serial("F5 35 06 B0 0D 00 09 00 AB");
    EXPECT_EQ(rig.sink.m_posted, (std::vector<SinkMessage>{{MSG_KEY_REPORTED, 9}}));
    EXPECT_TRUE(rig.model.m_decoded.empty());
    EXPECT_EQ(rig.engine.GetCount(), 0);
}

TEST(CommandReceive, AnEchoedFrameIsNotAKeyReport) {
    // A port that echoes what it receives returns the handshake and the idle poll: nine bytes
    // with a 9-byte header, but not the key report's channel byte 13.
    for (const char* echo : {"F5 35 06 B7 1E 30 11 00 0B", "F5 35 06 B0 1E 10 0D 00 E0"}) {
        for (const LinkKind link : {LinkKind::Serial, LinkKind::Network}) {
            EngineRig rig;
            rig.Queue(echo);
            rig.Receive(link, echo);
            EXPECT_TRUE(rig.sink.m_posted.empty()) << echo;
            EXPECT_EQ(rig.engine.GetCount(), 1) << echo;
            EXPECT_EQ(rig.engine.RxCount(), 9) << echo;
        }
    }
}

TEST(CommandReceive, FragmentedRepliesAreAssembledAndMalformedOnesWait) {
    // The microphone block in pieces whose running totals pass through other reply lengths.
    const Bytes reply = DataReply(171, 1);
    const int cuts[] = {2, 4, 9, 14, 21, 43, 71, 77, 87, 91, 159, 171};
    EngineRig rig;
    rig.Queue(kRead);
    int from = 0;
    for (int cut : cuts) {
        rig.engine.OnReceived(LinkKind::Serial, std::span(reply).subspan(from, cut - from));
        from = cut;
        if (cut < 171) {
            EXPECT_TRUE(rig.model.m_decoded.empty()) << "after " << cut;
            EXPECT_EQ(rig.engine.GetCount(), 1) << "after " << cut;
        }
    }
    ASSERT_EQ(rig.model.m_decoded.size(), 1u);
    EXPECT_EQ(rig.model.m_decoded[0].frame, reply);

    // Totals whose header disagrees are left accumulating.
    const std::pair<const char*, std::function<void(Bytes&)>> broken[] = {
        {"count byte", [](Bytes& f) { f[2] = 0x50; }},
        {"sync byte", [](Bytes& f) { f[0] = 0xF4; }},
        {"frame type", [](Bytes& f) { f[1] = 0x36; }},
    };
    for (const auto& [what, breakIt] : broken) {
        EngineRig bad;
        bad.Queue(kRead);
        Bytes frame = DataReply(87, 0);
        breakIt(frame);
        bad.engine.OnReceived(LinkKind::Network, frame);
        EXPECT_TRUE(bad.model.m_decoded.empty()) << what;
        EXPECT_EQ(bad.engine.RxCount(), 87) << what;
        EXPECT_EQ(bad.engine.GetCount(), 1) << what;
    }
}

TEST(CommandReceive, AccumulationIsBoundedAt2000Bytes) {
    EngineRig rig;
    rig.Queue(kWrite);
    const Bytes junk(400, 0x11);
    for (int i = 0; i < 5; ++i) {
        rig.engine.OnReceived(LinkKind::Network, junk);
    }
    EXPECT_EQ(rig.engine.RxCount(), 2000);
    rig.Network("EE CC");  // would overrun: the buffer restarts, then takes the reply
    EXPECT_EQ(rig.engine.GetCount(), 0);
    EXPECT_EQ(rig.state.unitAcked, 1);

    // One oversized delivery is taken as consecutive 400-byte chunks.
    const Bytes flood(5000, 0x22);
    rig.engine.OnReceived(LinkKind::Network, flood);
    EXPECT_LE(rig.engine.RxCount(), 2000);
    EXPECT_GT(rig.engine.RxCount(), 0);

    const int before = rig.engine.RxCount();
    rig.engine.OnReceived(LinkKind::Network, {});
    rig.engine.OnReceived(LinkKind::Serial, {});
    EXPECT_EQ(rig.engine.RxCount(), before);
}

TEST(CommandReceive, UsbChunksAreStagedAndDecodedAfterTheLastOne) {
    EngineRig rig;
    for (int i = 0; i < 5; ++i) {
        rig.Queue(kRead);
    }
    const int starts[] = {0, 25, 50, 75};
    for (int start : starts) {
        ASSERT_TRUE(rig.model.m_decoded.empty()) << "before chunk " << start;
        const int words = start == 75 ? 7 : 25;
        rig.Usb(ChunkHex(1, start, words, 1000 + start));
    }
    EXPECT_EQ(rig.engine.GetCount(), 1) << "each chunk removes one request";
    ASSERT_EQ(rig.model.m_decoded.size(), 1u);
    const Bytes& staged = rig.model.m_decoded[0].frame;
    EXPECT_EQ(rig.model.m_decoded[0].channel, 1);
    EXPECT_EQ(staged[2], 168);
    std::vector<int> expected(82);
    for (int i = 0; i < 82; ++i) {
        expected[static_cast<std::size_t>(i)] = 1000 + i;
    }
    EXPECT_EQ(WordsOf(staged, 82), expected);
}

TEST(CommandReceive, UsbReportsFailingTheChunkChecksAreIgnored) {
    const std::string bad[] = {
        ChunkHex(1, 10, 25, 1),   // start not in the plan
        ChunkHex(12, 0, 5, 1),    // channel without a plan
        ChunkHex(13, 25, 1, 1),   // key channel has one chunk only
        "F5 35 3F B0 01 00",      // 59 payload bytes: more than a report carries
        "F5 35 03 B0 09 00",      // count below the header size
        ChunkHex(30, 75, 25, 1),  // would run past the staging area
        "F5 C1 00 00 00 00",      // the unit's other report kind
    };
    for (const std::string& hex : bad) {
        EngineRig rig;
        rig.Queue(kRead);
        rig.Usb(hex);
        EXPECT_EQ(rig.engine.GetCount(), 1) << hex;
        EXPECT_TRUE(rig.model.m_decoded.empty()) << hex;
        EXPECT_TRUE(rig.sink.m_posted.empty()) << hex;
    }
}

TEST(CommandReceive, AUsbChunkFillingTheWholeReportIsStaged) {
    // 58 payload bytes: all a 64-byte report carries behind the six header bytes.
    EngineRig rig;
    rig.Queue(kRead);
    rig.Usb(ChunkHex(10, 0, 29, 100));
    ASSERT_EQ(rig.model.m_decoded.size(), 1u);
    EXPECT_EQ(rig.model.m_decoded[0].frame[2], 62);
    std::vector<int> expected(29);
    for (int i = 0; i < 29; ++i) {
        expected[static_cast<std::size_t>(i)] = 100 + i;
    }
    EXPECT_EQ(WordsOf(rig.model.m_decoded[0].frame, 29), expected);
    EXPECT_EQ(rig.engine.GetCount(), 0);
}

TEST(CommandReceive, UsbSingleChunkChannelsAndTheirNotifications) {
    EngineRig rig;
    rig.state.uploadConfirm = 1;
    for (int i = 0; i < 6; ++i) {
        rig.Queue(kRead);
    }
    rig.Usb("F5 35 06 B0 0D 00 05 00 AA");
    EXPECT_EQ(rig.sink.m_posted, (std::vector<SinkMessage>{{MSG_KEY_REPORTED, 5}}));
    rig.Usb(ChunkHex(10, 0, 7, 40));
    ASSERT_EQ(rig.model.m_decoded.size(), 1u);
    EXPECT_EQ(rig.model.m_decoded[0].channel, 10);
    EXPECT_EQ(rig.model.m_decoded[0].frame[2], 18) << "the report's own count";
    EXPECT_EQ(WordsOf(rig.model.m_decoded[0].frame, 7),
              (std::vector<int>{40, 41, 42, 43, 44, 45, 46}));
    EXPECT_EQ(rig.sink.m_sent, (std::vector<SinkMessage>{{MSG_VOLUMES_READ, 0}}));
    for (int start : {0, 25, 50, 75}) {
        rig.Usb(ChunkHex(30, start, start == 75 ? 1 : 25, start));
    }
    ASSERT_EQ(rig.model.m_decoded.size(), 2u);
    EXPECT_EQ(rig.model.m_decoded[1].channel, 30);
    EXPECT_EQ(rig.model.m_decoded[1].frame[2], 156);
    EXPECT_EQ(rig.sink.m_sent.back().message, MSG_SYSTEM_DATA_READ);
    EXPECT_EQ(rig.engine.GetCount(), 0);
}

TEST(CommandReceive, ADataReplyIsTakenOnlyByAReadRequest) {
    // A late answer to an idle poll or to a retransmitted read meets a write at the head, or
    // nothing: it removes nothing and reaches neither the model nor the key display.
    const std::pair<const char*, Bytes> replies[] = {
        {"key report", FromHex("F5 35 06 B0 0D 00 09 00 AB")},
        {"volume block", DataReply(21, 10)},
        {"system block", DataReply(159, 30)},
    };
    for (const auto& [what, reply] : replies) {
        for (const bool writeAtHead : {true, false}) {
            EngineRig rig;
            rig.state.unitAcked = 1;
            if (writeAtHead) {
                rig.Queue(kWrite);
                rig.Ticks(1, LinkKind::Serial);
            }
            rig.engine.OnReceived(LinkKind::Serial, reply);
            EXPECT_EQ(rig.engine.GetCount(), writeAtHead ? 1 : 0) << what;
            EXPECT_TRUE(rig.model.m_decoded.empty()) << what;
            EXPECT_TRUE(rig.sink.m_posted.empty()) << what;
            EXPECT_EQ(rig.engine.RxCount(), 0) << what << ": the next reply starts afresh";
            rig.Serial("EE CC");
            EXPECT_EQ(rig.engine.GetCount(), 0) << what << ": the write's own answer removes it";
        }
    }
    EngineRig usb;
    usb.Queue(kWrite);
    usb.Usb(ChunkHex(10, 0, 7, 40));
    EXPECT_EQ(usb.engine.GetCount(), 1);
    EXPECT_TRUE(usb.model.m_decoded.empty());
}

struct AckCase {
    const char* what;
    const char* head;
    int ackedBefore;
    bool transmitted;
    bool removed;
};

TEST(CommandReceive, AcknowledgementRemovesWritesButNeverReads) {
    // A late EE CC (the answer to an earlier handshake or write) must not take the place of
    // the data a read request waits for, on any link.
    const AckCase cases[] = {
        {"handshake before the first ack", "F5 35 06 B7 1E 30 11 00 0B", 0, true, true},
        {"untransmitted write before the first ack", kWrite, 0, false, true},
        {"transmitted write", kWrite, 1, true, true},
        {"write not yet transmitted", kWrite, 1, false, false},
        {"read request", kRead, 1, true, false},
        {"read request before the first ack", kRead, 0, true, false},
    };
    for (const LinkKind link : {LinkKind::Usb, LinkKind::Serial, LinkKind::Network}) {
        for (const AckCase& c : cases) {
            for (const char* reply : {"EE CC", "EE CC EE CC"}) {
                if (link == LinkKind::Usb && std::string(reply).size() > 5) {
                    continue;  // a USB report carries one status reply
                }
                EngineRig rig;
                rig.state.unitAcked = c.ackedBefore;
                rig.Queue(c.head);
                if (c.transmitted) {
                    rig.Ticks(1, link);
                }
                rig.Receive(link, reply);
                const std::string what = std::string(c.what) + " / " + reply + " / link " +
                                         std::to_string(static_cast<int>(link));
                EXPECT_EQ(rig.state.unitAcked, 1) << what;
                EXPECT_EQ(rig.engine.GetCount(), c.removed ? 0 : 1) << what;
            }
        }
    }
    // The other status codes follow the two-byte table.
    EngineRig rig;
    rig.Queue(kWrite);
    rig.Usb("EE DD");
    EXPECT_EQ(rig.state.unitRefused, 1);
    EXPECT_EQ(rig.engine.GetCount(), 0);
}
