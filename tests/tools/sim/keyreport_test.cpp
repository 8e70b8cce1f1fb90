// The unit's key reports after the music record was loaded by other means than a report: from
// a parameter file (which leaves the key last shown as it was) and by a mode recall read back
// from the simulated unit (which remembers the recalled key as shown). A report equal to the key
// last shown is ignored, any other is shown, and none is sent back.
#include <gtest/gtest.h>

#include "core/model/archive.h"
#include "core/model/pmxfile.h"
#include "core/protocol/catalogue.h"
#include "tests/support/simrig.h"

namespace {
enum class ELoad { File, ModeRecall };

constexpr std::int16_t kShownBefore = 12;
constexpr std::int16_t kLoadedKey = 4;
constexpr int kRecalledMode = 2;

// The bytes of a parameter file whose music key is kLoadedKey.
std::vector<std::uint8_t> FileWithLoadedKey() {
    CAudioData data;
    data.Music().SetKeyShift(kLoadedKey);
    CArchive ar;
    data.Serialize(ar);
    return ar.Bytes();
}

TEST(KeyReport, AfterAFileLoadOrAModeRecallOnlyTheKeyLastShownIsIgnored) {
    const struct {
        const char* what;
        ELoad load;
        std::int16_t report;
        bool bShown;
        std::int16_t lastShownAfter;
    } cases[] = {
        {"file, the key shown before", ELoad::File, kShownBefore, false, kShownBefore},
        {"file, the loaded key", ELoad::File, kLoadedKey, true, kLoadedKey},
        {"file, another key", ELoad::File, 9, true, 9},
        {"recall, the recalled key", ELoad::ModeRecall, kLoadedKey, false, kLoadedKey},
        {"recall, the key shown before", ELoad::ModeRecall, kShownBefore, true, kShownBefore},
        {"recall, another key", ELoad::ModeRecall, 9, true, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimRig rig(LinkKind::Serial);
        rig.sim.StoredBlock(kRecalledMode, kChMusic)[2] = kLoadedKey;
        // Connected and read back; then the unit reported the key that is shown now.
        ReadAllSequence(rig.engine, rig.Chunked());
        ASSERT_GT(rig.TickUntil([&] { return rig.Sent(MSG_SYSTEM_DATA_READ); }, 2000), 0);
        ApplyReadBack(rig.model);
        ASSERT_TRUE(ApplyKeyReport(rig.model, kShownBefore));
        CAudioMusicData& music = rig.model.Music();

        if (c.load == ELoad::File) {
            ASSERT_TRUE(LoadParameterBytes(rig.model, FileWithLoadedKey()));
        } else {
            rig.sink.m_sent.clear();
            ReadAllSequence(rig.engine, rig.Chunked(), kRecalledMode + 1);
            ASSERT_GT(rig.TickUntil([&] { return rig.Sent(MSG_SYSTEM_DATA_READ); }, 2000), 0);
            ApplyReadBack(rig.model);
        }
        ASSERT_EQ(music.GetKeyShift(), kLoadedKey);

        EXPECT_EQ(ApplyKeyReport(rig.model, c.report), c.bShown);
        EXPECT_EQ(music.GetKeyShift(), c.bShown ? c.report : kLoadedKey);
        EXPECT_EQ(music.GetLastKeyShown(), c.lastShownAfter);
        EXPECT_FALSE(music.IsChanged(CAudioMusicData::kKeyShift));
    }
}
}  // namespace
