#include "core/model/pmxfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

#include "core/model/archive.h"
#include "core/model/audiodata.h"
#include "core/model/conversiontool.h"
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

// Indexes are carried as they are (a band type outside the band types excepted); the doubles
// derived from them are recomputed on loading, so the first re-save normalises them and every
// later one is identical.
TEST_F(PmxFileTest, OutOfRangeValuesRoundTripUnchanged) {
    std::vector<uint8_t> bytes = Serialized(*std::make_unique<CAudioData>());
    bytes[8 + 6] = 0x90;  // music band 0 frequency index 400
    bytes[8 + 7] = 0x01;
    bytes[8 + 4] = 0x09;                    // type 9: taken as the nearest band type, 2
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
    expected[8 + 4] = 0x02;
    const std::vector<uint8_t> hz20200 = FromHex("00 00 00 00 00 BA D3 40");
    std::copy(hz20200.begin(), hz20200.end(), expected.begin() + 8 + 14);
    const std::vector<uint8_t> q04 = FromHex("9A 99 99 99 99 99 D9 3F");  // shelf-slope Q
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

// Band records of a fresh model's file, and fields inside a 68-byte record.
constexpr std::size_t kMusicBand = 8;  // + 68 k
constexpr std::size_t kMicHighPass = 484 + 6 + 15 * 68;
constexpr std::size_t kMainBand = 1816 + 30;  // scene 0, + 68 k
constexpr std::size_t kMainHighPass = kMainBand + 3 * 68;
constexpr std::size_t kEqBandAt = 0, kTypeAt = 4, kGainAt = 8, kFreqHzAt = 14, kQAt = 22,
                      kGainDbAt = 30, kXoverFreqAt = 44, kXoverHzAt = 52;

void Put(std::vector<uint8_t>& bytes, std::size_t at, int64_t v, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}
void PutDouble(std::vector<uint8_t>& bytes, std::size_t at, double v) {
    Put(bytes, at, std::bit_cast<int64_t>(v), 8);
}

bool EveryResponseFinite(CAudioData& data) {
    for (int ch = kChMusic; ch <= kChSub + 1; ++ch) {
        CEQ& eq = data.EqRecordOfChannel(ch)->GetEQ();
        for (double v : eq.SumResponse())
            if (!std::isfinite(v))
                return false;
    }
    return true;
}

// A file cannot turn a crossover into a band or the reverse, a band type outside the band
// types becomes the nearest one, and no value in a file makes a response non-finite.
TEST_F(PmxFileTest, HostileRecordsLoadInTheirRole) {
    CAudioData clean;
    clean.MainOut(0).GetHighPass()->SetXoverFreq(150);
    clean.Mic().GetHighPass()->SetXoverFreq(100);
    std::vector<uint8_t> bytes = Serialized(clean);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // The main high-pass claims to be a +12 dB peaking band with a NaN centre frequency.
    Put(bytes, kMainHighPass + kEqBandAt, 1, 4);
    Put(bytes, kMainHighPass + kTypeAt, kTypePeaking, 2);
    Put(bytes, kMainHighPass + kGainAt, 180, 2);
    PutDouble(bytes, kMainHighPass + kFreqHzAt, nan);
    // The microphone high-pass: non-finite and negative doubles everywhere.
    PutDouble(bytes, kMicHighPass + kXoverHzAt, nan);
    PutDouble(bytes, kMicHighPass + kFreqHzAt, -100);
    PutDouble(bytes, kMicHighPass + kQAt, inf);
    PutDouble(bytes, kMicHighPass + kGainDbAt, -inf);
    // Music bands 0-4 claim crossover roles and types outside the band types; band 5 has an
    // extreme gain word and a NaN gain.
    const struct {
        int band, eqBand, type, expectedType;
    } types[] = {{0, 0, kTypeLowPass, 2}, {1, 1, -5, 0}, {2, 1, 3, 2}, {3, 1, 1, 1}, {4, 0, 9, 2}};
    for (const auto& t : types) {
        Put(bytes, kMusicBand + 68 * t.band + kEqBandAt, t.eqBand, 4);
        Put(bytes, kMusicBand + 68 * t.band + kTypeAt, t.type, 2);
        Put(bytes, kMusicBand + 68 * t.band + kXoverFreqAt, 100, 2);
    }
    Put(bytes, kMusicBand + 68 * 5 + kGainAt, 32767, 2);
    PutDouble(bytes, kMusicBand + 68 * 5 + kGainDbAt, nan);
    const fs::path path = m_dir / "hostile.pmx";
    WriteFile(path, bytes);

    CAudioData data;
    ASSERT_TRUE(LoadParameterFile(data, path.string()).ok);
    EXPECT_TRUE(EveryResponseFinite(data));
    const CFilter& mainHp = *data.MainOut(0).GetHighPass();
    EXPECT_TRUE(mainHp.IsHighPass());
    EXPECT_EQ(mainHp.m_bEqBand, 0);
    EXPECT_EQ(mainHp.GetType(), kTypeHighPass);
    EXPECT_EQ(mainHp.Response(), clean.MainOut(0).GetHighPass()->Response());
    EXPECT_EQ(data.Mic().GetHighPass()->Response(), clean.Mic().GetHighPass()->Response());
    EXPECT_EQ(data.Mic().GetHighPass()->m_dXoverFreqHz, FreqAt(100));
    for (const auto& t : types) {
        const CFilter& band = data.Music().GetEQ().GetAt(t.band);
        EXPECT_FALSE(band.IsCrossover()) << t.band;
        EXPECT_EQ(band.m_bEqBand, 1) << t.band;
        EXPECT_EQ(band.GetType(), t.expectedType) << t.band;
    }
    // The band's gain word is carried as it is (a check reports it); the curve takes the top of
    // the gain scale.
    const CFilter& loud = data.Music().GetEQ().GetAt(5);
    EXPECT_EQ(loud.GetGain(), 32767);
    EXPECT_EQ(loud.m_dGainDb, 12.0);

    // Saved again: the roles and nearest types are in the file, the doubles finite.
    const fs::path again = m_dir / "again.pmx";
    ASSERT_TRUE(SaveParameterFile(data, again.string()).ok);
    const std::vector<uint8_t> saved = ReadFile(again);
    EXPECT_EQ(saved[kMainHighPass + kEqBandAt], 0);
    EXPECT_EQ(saved[kMainHighPass + kTypeAt], kTypeHighPass);
    EXPECT_EQ(saved[kMusicBand + kTypeAt], 2);
    for (std::size_t at : {kMainHighPass + kFreqHzAt, kMicHighPass + kQAt, kMicHighPass + kGainDbAt,
                           kMicHighPass + kFreqHzAt}) {
        double v = 0;
        std::memcpy(&v, saved.data() + at, sizeof v);
        EXPECT_TRUE(std::isfinite(v) && v > -25) << at;
    }
}

// The loader reads at most one byte past the layout from anything it is given.
TEST_F(PmxFileTest, LoaderReadsABoundedAmountFromAnySource) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadParameterBytes("/dev/zero", bytes).ok);
    EXPECT_EQ(bytes.size(), 4061u);
    CAudioData data;
    ASSERT_TRUE(LoadParameterFile(data, "/dev/zero").ok);
    EXPECT_TRUE(EveryResponseFinite(data));
    EXPECT_EQ(data.Sub(1).GetLowPass()->GetType(), kTypeLowPass);
    const PmxResult folder = ReadParameterBytes(m_dir.string(), bytes);
    EXPECT_FALSE(folder.ok);
    EXPECT_NE(folder.error.find("folder"), std::string::npos) << folder.error;
    EXPECT_FALSE(LoadParameterBytes(data, std::vector<uint8_t>(4059, 0)));
}

// Saving replaces a file with its mode kept, creates one with the mode the umask allows, and
// writes through a symbolic link to the file it names.
TEST_F(PmxFileTest, SaveKeepsModesAndLinks) {
    CAudioData data;
    data.Music().SetKeyShift(9);
    const fs::path existing = m_dir / "existing.pmx";
    WriteFile(existing, {1});
    ::chmod(existing.c_str(), 0604);
    ASSERT_TRUE(SaveParameterFile(data, existing.string()).ok);
    EXPECT_EQ(fs::status(existing).permissions(), static_cast<fs::perms>(0604));

    const mode_t oldMask = ::umask(027);
    const PmxResult created = SaveParameterFile(data, (m_dir / "new.pmx").string());
    ::umask(oldMask);
    ASSERT_TRUE(created.ok) << created.error;
    EXPECT_EQ(fs::status(m_dir / "new.pmx").permissions(), static_cast<fs::perms>(0640));

    fs::create_directories(m_dir / "real");
    fs::create_symlink("real/target.pmx", m_dir / "link.pmx");  // dangling until saved
    ASSERT_TRUE(SaveParameterFile(data, (m_dir / "link.pmx").string()).ok);
    EXPECT_TRUE(fs::is_symlink(m_dir / "link.pmx"));
    EXPECT_EQ(ReadFile(m_dir / "real" / "target.pmx"), Serialized(data));

    // Not an ordinary file: a folder and a pipe are refused and left alone, and so is a loop.
    ASSERT_EQ(::mkfifo((m_dir / "pipe").c_str(), 0600), 0);
    fs::create_symlink("loop", m_dir / "loop");
    for (const char* name : {"real", "pipe", "loop"}) {
        EXPECT_FALSE(SaveParameterFile(data, (m_dir / name).string()).ok) << name;
        EXPECT_FALSE(CheckParameterFileWritable((m_dir / name).string()).ok) << name;
    }
    EXPECT_TRUE(fs::is_fifo(m_dir / "pipe"));
    EXPECT_TRUE(CheckParameterFileWritable((m_dir / "fresh.pmx").string()).ok);
    EXPECT_FALSE(fs::exists(m_dir / "fresh.pmx"));
    EXPECT_FALSE(CheckParameterFileWritable((m_dir / "none" / "x.pmx").string()).ok);
}

}  // namespace
