#include "core/model/pmxfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/model/archive.h"
#include "core/model/audiodata.h"
#include "tests/support/hex.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Serialized(CAudioData& data) {
    CArchive ar;
    data.Serialize(ar);
    return ar.Bytes();
}

std::vector<uint8_t> ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& p, const std::vector<uint8_t>& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

class PmxFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("pmx-test-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};

TEST(PmxLayout, FreshModelBytes) {
    CAudioData data;
    const std::vector<uint8_t> bytes = Serialized(data);
    ASSERT_EQ(bytes.size(), 4060u);
    EXPECT_EQ(CAudioData::SerializedSize(), 4060u);
    const std::vector<uint8_t> zeros(8, 0);
    EXPECT_TRUE(std::equal(zeros.begin(), zeros.end(), bytes.begin()));
    // The first music band record.
    const std::vector<uint8_t> band = FromHex(
        "01 00 00 00 00 00 19 00 78 00 10 00 00 00"
        "66 66 66 66 66 E6 3F 40  00 00 00 00 00 00 F0 3F  00 00 00 00 00 00 00 00"
        "00 00 00 00  00 00 00 00 02 00 00 00 00 00"
        "33 33 33 33 33 B3 33 40  00 00 00 00  01 00 00 00");
    ASSERT_EQ(band.size(), 68u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 8, bytes.begin() + 76), band);
    // Record offsets: each record starts with its fields; the microphone's first band record
    // begins after its three words.
    auto i32 = [&](std::size_t at) {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24;
    };
    EXPECT_EQ(i32(484 + 6), 1);                      // mic band 0: m_bEqBand
    EXPECT_EQ(i32(484 + 6 + 15 * 68), 0);            // mic high-pass: a crossover
    EXPECT_EQ(i32(1578 + 34), 1);                    // effect band 0
    EXPECT_EQ(i32(1816 + 30 + 3 * 68), 0);           // main 0 high-pass
    EXPECT_EQ(i32(3654 + 26 + 4 * 68), 0);           // sub 1 low-pass
    EXPECT_EQ(bytes[3654 + 26 + 4 * 68 + 44], 142);  // its crossover frequency index
    // A crossover keeps its band doubles as created (Q 2.05): loading recomputes only its
    // crossover values, so this survives a round trip.
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 484 + 6 + 15 * 68 + 22,
                                   bytes.begin() + 484 + 6 + 15 * 68 + 30),
              FromHex("66 66 66 66 66 66 00 40"));
    // Tone limits then the system copies.
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 4020, bytes.begin() + 4026),
              FromHex("78 00 3C 00 3C 00"));
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 4056, bytes.end()), FromHex("00 00 00 00"));
}

TEST(PmxLayout, FieldsLandInFileOrder) {
    CAudioData data;
    data.Sub(0).SetDelay(0x1111);       // sub file order: words 0-3, 8-13, then 4
    data.Sub(0).SetEchoALevel(0x2222);  // word 8: fifth in the file
    data.Mic().SetOutScene(5);          // not in the file
    data.Mic().SetFeedback(0x0303);
    data.System().SetOutSceneCopy(0x0102);
    const std::vector<uint8_t> bytes = Serialized(data);
    EXPECT_EQ(bytes[3288 + 8], 0x22);
    EXPECT_EQ(bytes[3288 + 20], 0x11);
    EXPECT_EQ(bytes[484 + 2], 0x03);
    EXPECT_EQ(bytes[4058], 0x02);
    EXPECT_EQ(bytes[4059], 0x01);
}

TEST_F(PmxFileTest, SaveLoadSaveIsByteIdentical) {
    CAudioData data;
    data.Music().SetKeyShift(11);
    data.Mic().GetEQ().GetAt(3).SetGain(170);
    data.Mic().GetEQ().GetAt(3).SetType(2);
    data.Mic().GetEQ().GetAt(3).SetSlope(9);
    data.Mic().GetHighPass()->SetXoverFreq(30);
    data.Mic().GetHighPass()->SetSlopeCode(8);
    data.MainOut(1).GetLowPass()->SetXoverFreq(250);
    data.MainOut(1).GetLowPass()->SetXoverQ(9);  // not in the file
    data.Sub(1).GetEQ().GetAt(1).m_nReserved = 77;
    data.ToneLimits().SetCurrent(4, 99);
    data.System().SetOutAutoCopy(1);
    const fs::path first = m_dir / "a.pmx";
    const fs::path second = m_dir / "b.pmx";
    ASSERT_TRUE(SaveParameterFile(data, first.string()).ok);

    CAudioData loaded;
    const DeviceImage imageBefore = loaded.Image();
    const PmxResult r = LoadParameterFile(loaded, first.string());
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(loaded.Music().GetKeyShift(), 11);
    EXPECT_EQ(loaded.Mic().GetHighPass()->GetXoverFreq(), 30);
    EXPECT_EQ(loaded.Mic().GetHighPass()->m_nXoverStepCode, 3);
    EXPECT_EQ(loaded.ToneLimits().GetCurrent(4), 99);
    EXPECT_EQ(loaded.Sub(1).GetEQ().GetAt(1).m_nReserved, 77);
    // No image writes and no flags from a load.
    EXPECT_EQ(loaded.Image().blocks, imageBefore.blocks);
    EXPECT_FALSE(loaded.Music().IsChanged(CAudioMusicData::kKeyShift));
    EXPECT_FALSE(loaded.Mic().GetEQ().GetAt(3).BandWordChanged(kBandWordGain));
    // The response follows the loaded fields.
    EXPECT_NE(loaded.Mic().GetEQ().GetAt(3).Response()[100], 0.0);

    ASSERT_TRUE(SaveParameterFile(loaded, second.string()).ok);
    EXPECT_EQ(ReadFile(first), ReadFile(second));
    EXPECT_EQ(ReadFile(first).size(), 4060u);
}

// The Q in use after a type change is the one a load recomputes, so the curve and the file do
// not change when the model goes through a file.
TEST_F(PmxFileTest, TypeChangesSurviveSaveAndLoad) {
    struct Step {
        int band;
        int q, slope;  // -1: not set
        int type;
        double qInUse;
    };
    const Step steps[] = {
        {0, 40, -1, 2, 0.4},   // peaking Q 4.0, then high shelf: shelf slope 0 (0.4)
        {1, -1, 20, 0, 1.0},   // shelf slope 1.26 on a shelf, back to peaking: Q index 16
        {2, 40, 20, 1, 1.26},  // bypass type: shelf-slope table
    };
    CAudioData data;
    CEQ& eq = data.Echo().GetEQ();
    for (const Step& s : steps) {
        CFilter& band = eq.GetAt(s.band);
        band.SetGain(150);
        if (s.type == 0)
            band.SetType(2);
        if (s.q >= 0)
            band.SetQ(static_cast<int16_t>(s.q));
        if (s.slope >= 0)
            band.SetSlope(static_cast<int16_t>(s.slope));
        band.SetType(static_cast<int16_t>(s.type));
        EXPECT_EQ(band.m_dQ, s.qInUse) << s.band;
    }
    const std::array<double, kFreqCount> curve = eq.SumResponse();
    const fs::path first = m_dir / "a.pmx";
    const fs::path second = m_dir / "b.pmx";
    ASSERT_TRUE(SaveParameterFile(data, first.string()).ok);
    CAudioData loaded;
    ASSERT_TRUE(LoadParameterFile(loaded, first.string()).ok);
    EXPECT_EQ(loaded.Echo().GetEQ().SumResponse(), curve);
    ASSERT_TRUE(SaveParameterFile(loaded, second.string()).ok);
    EXPECT_EQ(ReadFile(first), ReadFile(second));
}

// Indexes are carried as they are; the doubles derived from them are recomputed on loading,
// so the first re-save normalises them and every later one is identical.
TEST_F(PmxFileTest, OutOfRangeValuesRoundTripUnchanged) {
    std::vector<uint8_t> bytes = Serialized(*std::make_unique<CAudioData>());
    bytes[8 + 6] = 0x90;  // music band 0 frequency index 400
    bytes[8 + 7] = 0x01;
    bytes[8 + 4] = 0x09;                    // type 9
    bytes[1816 + 30 + 4 * 68 + 44] = 0xFF;  // main 0 low-pass index -1
    bytes[1816 + 30 + 4 * 68 + 45] = 0xFF;
    const fs::path in = m_dir / "odd.pmx";
    const fs::path out = m_dir / "odd2.pmx";
    WriteFile(in, bytes);
    CAudioData data;
    ASSERT_TRUE(LoadParameterFile(data, in.string()).ok);
    EXPECT_EQ(data.Music().GetEQ().GetAt(0).GetFreq(), 400);
    EXPECT_EQ(data.Music().GetEQ().GetAt(0).m_dFreqHz, 20200);  // clamped where used
    EXPECT_EQ(data.MainOut(0).GetLowPass()->GetXoverFreq(), -1);
    ASSERT_TRUE(SaveParameterFile(data, out.string()).ok);
    std::vector<uint8_t> expected = bytes;
    const std::vector<uint8_t> hz20200 = FromHex("00 00 00 00 00 BA D3 40");
    std::copy(hz20200.begin(), hz20200.end(), expected.begin() + 8 + 14);
    const std::vector<uint8_t> q04 = FromHex("9A 99 99 99 99 99 D9 3F");  // type 9: shelf-slope Q
    std::copy(q04.begin(), q04.end(), expected.begin() + 8 + 22);
    const std::vector<uint8_t> hz19_7 = FromHex("33 33 33 33 33 B3 33 40");
    std::copy(hz19_7.begin(), hz19_7.end(), expected.begin() + 1816 + 30 + 4 * 68 + 52);
    EXPECT_EQ(ReadFile(out), expected);
    CAudioData again;
    ASSERT_TRUE(LoadParameterFile(again, out.string()).ok);
    ASSERT_TRUE(SaveParameterFile(again, in.string()).ok);
    EXPECT_EQ(ReadFile(in), expected);
}

TEST_F(PmxFileTest, ShortFileChangesNothingLongFileLoadsItsLayout) {
    CAudioData source;
    source.Music().SetInput(3);
    source.Sub(1).SetMute(1);
    std::vector<uint8_t> bytes = Serialized(source);
    const fs::path shortFile = m_dir / "short.pmx";
    WriteFile(shortFile, std::vector<uint8_t>(bytes.begin(), bytes.end() - 1));

    CAudioData data;
    const std::vector<uint8_t> before = Serialized(data);
    const PmxResult r = LoadParameterFile(data, shortFile.string());
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("too short"), std::string::npos) << r.error;
    EXPECT_EQ(Serialized(data), before);

    const PmxResult missing = LoadParameterFile(data, (m_dir / "none.pmx").string());
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.empty());

    bytes.insert(bytes.end(), {1, 2, 3});
    const fs::path longFile = m_dir / "long.pmx";
    WriteFile(longFile, bytes);
    ASSERT_TRUE(LoadParameterFile(data, longFile.string()).ok);
    EXPECT_EQ(data.Music().GetInput(), 3);
    EXPECT_EQ(data.Sub(1).GetMute(), 1);
}

TEST_F(PmxFileTest, FailedSaveKeepsTheOldFile) {
    CAudioData data;
    const fs::path target = m_dir / "keep.pmx";
    WriteFile(target, {1, 2, 3});
    // A folder that cannot take a temporary file.
    const fs::path ro = m_dir / "ro";
    fs::create_directories(ro);
    WriteFile(ro / "keep.pmx", {4, 5, 6});
    ::chmod(ro.c_str(), 0500);
    const PmxResult r = SaveParameterFile(data, (ro / "keep.pmx").string());
    ::chmod(ro.c_str(), 0700);
    if (::geteuid() != 0) {  // root writes anyway
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(ReadFile(ro / "keep.pmx"), std::vector<uint8_t>({4, 5, 6}));
    }
    // A missing folder.
    EXPECT_FALSE(SaveParameterFile(data, (m_dir / "no" / "x.pmx").string()).ok);
    // A successful save replaces the file whole and leaves no temporary behind.
    ASSERT_TRUE(SaveParameterFile(data, target.string()).ok);
    EXPECT_EQ(ReadFile(target).size(), 4060u);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(m_dir))
        ++entries;
    EXPECT_EQ(entries, 2);  // keep.pmx and ro/
}

}  // namespace
