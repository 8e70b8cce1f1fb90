#include "core/model/parametercheck.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/model/archive.h"
#include "core/model/audiodata.h"
#include "core/model/filerecords.h"
#include "core/model/pmxfile.h"

namespace {

std::vector<uint8_t> Serialized(CAudioData& data) {
    CArchive ar;
    data.Serialize(ar);
    return ar.Bytes();
}

// A model as the editor can make it: every record field somewhere in its range, every band and
// crossover set through its setters within what the pages offer.
void RandomiseAsThePagesCan(CAudioData& data, std::mt19937& random) {
    auto pick = [&random](int lo, int hi) {
        return static_cast<int16_t>(std::uniform_int_distribution<int>(lo, hi)(random));
    };
    for (const FileRecord& r : FileRecordsOf(data)) {
        for (int i = 0; i < r.record->FieldCount(); ++i) {
            const FieldRange range = r.record->Fields()[static_cast<std::size_t>(i)].range;
            r.record->Set(i, pick(range.min, range.max));
        }
        for (int k = 0; r.eq != nullptr && k < r.eq->GetBandCount(); ++k) {
            CFilter& band = r.eq->GetAt(k);
            band.SetType(pick(0, 2));
            band.SetFreq(pick(0, 360));
            band.SetGain(pick(0, 180));
            band.SetQ(pick(0, 100));
            band.SetSlope(pick(0, 28));
        }
    }
    const int lowPassMin[] = {297, 0, 0};  // main, center, sub
    const int lowPassMax[] = {360, 360, 142};
    for (int scene = 0; scene < 2; ++scene) {
        COutputRecord* outputs[] = {&data.MainOut(scene), &data.Center(scene), &data.Sub(scene)};
        for (int kind = 0; kind < 3; ++kind) {
            CFilter& hp = *outputs[kind]->GetHighPass();
            CFilter& lp = *outputs[kind]->GetLowPass();
            hp.SetXoverFreq(pick(0, 142));
            lp.SetXoverFreq(pick(lowPassMin[kind], lowPassMax[kind]));
            for (CFilter* f : {&hp, &lp}) {
                f->SetSlopeCode(pick(0, 12));
                f->SetXoverQ(pick(0, 23));
            }
        }
    }
    data.Mic().GetHighPass()->SetXoverFreq(pick(0, 142));
    data.Mic().GetHighPass()->SetSlopeCode(pick(0, 12));
}

TEST(ParameterCheck, FilesOfOurOwnMakingPass) {
    CAudioData fresh;
    EXPECT_TRUE(CheckParameterBytes(Serialized(fresh)).empty());
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        CAudioData data;
        RandomiseAsThePagesCan(data, random);
        const std::vector<RangeIssue> issues = CheckParameterBytes(Serialized(data));
        EXPECT_TRUE(issues.empty()) << "seed " << seed << ": " << DescribeIssue(issues.front());
    }
}

// One field out of its range in an otherwise clean file gives exactly that field, with the
// value the file holds and the range of its page.
TEST(ParameterCheck, EachFieldAgainstItsPage) {
    struct Case {
        const char* description;
        void (*edit)(CAudioData&);
    };
    const Case cases[] = {
        {"music: m_nKeyShift = 15 (allowed 0 to 14)",
         [](CAudioData& d) { d.Music().SetKeyShift(15); }},
        {"music: m_nInput = -1 (allowed 0 to 9)", [](CAudioData& d) { d.Music().SetInput(-1); }},
        {"mic: m_nTrebleBoost = 4 (allowed 0 to 3)",
         [](CAudioData& d) { d.Mic().SetTrebleBoost(4); }},
        {"effect: m_nEchoBDelay = 128 (allowed 0 to 127)",
         [](CAudioData& d) { d.Echo().SetEchoBDelay(128); }},
        {"effect: m_nRevbPreDelay = 41 (allowed 0 to 40)",
         [](CAudioData& d) { d.Echo().SetRevbPreDelay(41); }},
        {"center1: m_nMusicLevel = 101 (allowed 0 to 100)",
         [](CAudioData& d) { d.Center(1).SetMusicLevel(101); }},
        {"sub0: m_nEchoBLevel = 201 (allowed 0 to 200)",
         [](CAudioData& d) { d.Sub(0).SetEchoBLevel(201); }},
        {"mainOut1: m_nDelayR = 51 (allowed 0 to 50)",
         [](CAudioData& d) { d.MainOut(1).SetDelayR(51); }},
        {"toneLimits: m_nCurrent[2] = 59 (allowed 60 to 180)",
         [](CAudioData& d) { d.ToneLimits().SetCurrent(2, 59); }},
        {"toneLimits: m_nMaxCut[5] = 121 (allowed 60 to 120)",
         [](CAudioData& d) { d.ToneLimits().SetMaxCut(5, 121); }},
        {"system: m_nOutSceneCopy = 2 (allowed 0 to 1)",
         [](CAudioData& d) { d.System().SetOutSceneCopy(2); }},
        {"mic band 15: m_nGain = 181 (allowed 0 to 180)",
         [](CAudioData& d) { d.Mic().GetEQ().GetAt(14).SetGain(181); }},
        {"effect band 3: m_nType = 3 (allowed 0 to 2)",
         [](CAudioData& d) { d.Echo().GetEQ().GetAt(2).SetType(3); }},
        {"music band 1: m_nSlope = 29 (allowed 0 to 28)",
         [](CAudioData& d) { d.Music().GetEQ().GetAt(0).SetSlope(29); }},
        {"mic high-pass: m_nXoverFreq = 143 (allowed 0 to 142)",
         [](CAudioData& d) { d.Mic().GetHighPass()->SetXoverFreq(143); }},
        {"mainOut0 low-pass: m_nXoverFreq = 296 (allowed 297 to 360)",
         [](CAudioData& d) { d.MainOut(0).GetLowPass()->SetXoverFreq(296); }},
        {"sub1 low-pass: m_nXoverFreq = 143 (allowed 0 to 142)",
         [](CAudioData& d) { d.Sub(1).GetLowPass()->SetXoverFreq(143); }},
        {"center0 high-pass: m_nType = 0 (allowed 4 to 4)",
         [](CAudioData& d) { d.Center(0).GetHighPass()->m_nType = 0; }},
        {"music band 7: m_bEqBand = 0 (allowed 1 to 1)",
         [](CAudioData& d) { d.Music().GetEQ().GetAt(6).m_bEqBand = 0; }},
        {"sub0 high-pass: m_nXoverQ = 24 (allowed 0 to 23)",
         [](CAudioData& d) { d.Sub(0).GetHighPass()->SetXoverQ(24); }},
    };
    for (const Case& c : cases) {
        CAudioData data;
        c.edit(data);
        const std::vector<RangeIssue> issues = CheckParameterBytes(Serialized(data));
        ASSERT_EQ(issues.size(), 1u) << c.description;
        EXPECT_EQ(DescribeIssue(issues[0]), c.description);
    }
}

// A slice of a text file has the layout's length; the check sees the words as they are, and
// clamping brings every field into its range.
TEST(ParameterCheck, TextFileIsListedAndClampedIntoRange) {
    std::string text = "# So the story goes: a parameter file is not a text file. ";
    while (text.size() < CAudioData::SerializedSize())
        text += text;
    std::vector<uint8_t> bytes(text.begin(), text.begin() + 4060);
    const std::vector<RangeIssue> issues = CheckParameterBytes(bytes);
    ASSERT_GT(issues.size(), 100u);
    EXPECT_EQ(DescribeIssue(issues[0]), "music: m_nInput = 8227 (allowed 0 to 9)");
    EXPECT_EQ(DescribeIssue(issues[1]), "music: m_nKeyShift = 28499 (allowed 0 to 14)");

    CAudioData data;
    ASSERT_TRUE(LoadParameterBytes(data, bytes));
    EXPECT_FALSE(CheckFileFields(data).empty());
    ClampToAllowedRanges(data);
    EXPECT_TRUE(CheckFileFields(data).empty());
    EXPECT_EQ(data.Music().GetKeyShift(), 14);
    EXPECT_EQ(data.MainOut(0).GetLowPass()->GetXoverFreq(), 360);
    EXPECT_TRUE(CheckParameterBytes(Serialized(data)).empty());
}

// Clamping pulls a value below its field's minimum up to it and one above its maximum down to
// it: record fields, band fields and crossovers, each end.
TEST(ParameterCheck, ClampPullsEitherEndIntoRange) {
    struct Case {
        const char* what;
        void (*edit)(CAudioData&);
        int (*get)(CAudioData&);
        int expected;
    };
    const Case cases[] = {
        {"music input below 0", [](CAudioData& d) { d.Music().SetInput(-3); },
         [](CAudioData& d) -> int { return d.Music().GetInput(); }, 0},
        {"music key above 14", [](CAudioData& d) { d.Music().SetKeyShift(99); },
         [](CAudioData& d) -> int { return d.Music().GetKeyShift(); }, 14},
        {"tone limit below 60", [](CAudioData& d) { d.ToneLimits().SetCurrent(2, 10); },
         [](CAudioData& d) -> int { return d.ToneLimits().GetCurrent(2); }, 60},
        {"tone cut above 120", [](CAudioData& d) { d.ToneLimits().SetMaxCut(5, 150); },
         [](CAudioData& d) -> int { return d.ToneLimits().GetMaxCut(5); }, 120},
        {"mic band gain below 0", [](CAudioData& d) { d.Mic().GetEQ().GetAt(14).SetGain(-30); },
         [](CAudioData& d) -> int { return d.Mic().GetEQ().GetAt(14).GetGain(); }, 0},
        {"music band slope above 28",
         [](CAudioData& d) { d.Music().GetEQ().GetAt(0).SetSlope(50); },
         [](CAudioData& d) -> int { return d.Music().GetEQ().GetAt(0).GetSlope(); }, 28},
        {"effect band type below 0", [](CAudioData& d) { d.Echo().GetEQ().GetAt(2).SetType(-1); },
         [](CAudioData& d) -> int { return d.Echo().GetEQ().GetAt(2).GetType(); }, 0},
        {"main low-pass below 297",
         [](CAudioData& d) { d.MainOut(0).GetLowPass()->SetXoverFreq(200); },
         [](CAudioData& d) -> int { return d.MainOut(0).GetLowPass()->GetXoverFreq(); }, 297},
        {"sub low-pass above 142", [](CAudioData& d) { d.Sub(1).GetLowPass()->SetXoverFreq(300); },
         [](CAudioData& d) -> int { return d.Sub(1).GetLowPass()->GetXoverFreq(); }, 142},
    };
    for (const Case& c : cases) {
        CAudioData data;
        c.edit(data);
        ClampToAllowedRanges(data);
        EXPECT_EQ(c.get(data), c.expected) << c.what;
        EXPECT_TRUE(CheckFileFields(data).empty()) << c.what;
    }
}

}  // namespace
