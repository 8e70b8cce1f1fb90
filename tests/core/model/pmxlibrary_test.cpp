#include "core/model/pmxlibrary.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/model/audiodata.h"
#include "core/model/modeldiff.h"
#include "core/model/parameterimport.h"
#include "core/model/pmxfile.h"

namespace {
namespace fs = std::filesystem;

struct TempFolder {
    fs::path path;
    TempFolder() {
        path = fs::temp_directory_path() /
               ("pmxlibrary-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempFolder() { fs::remove_all(path); }
    void Touch(const std::string& name, std::size_t bytes = 1) const {
        std::ofstream(path / name) << std::string(bytes, 'x');
    }
};

TEST(PmxLibrary, ListsParameterFilesSortedWithoutRegardToCaseAtMost1001) {
    TempFolder folder;
    for (const char* name : {"beta.pmx", "Alpha.PMX", "alpha.pmx", "gamma.txt", "a.b.pmx", ".pmx"})
        folder.Touch(name);
    fs::create_directory(folder.path / "folder.pmx");
    EXPECT_EQ(ListParameterFiles(folder.path.string()),
              (std::vector<std::string>{"a.b.pmx", "Alpha.PMX", "alpha.pmx", "beta.pmx"}));
    EXPECT_EQ(FileTitle("a.b.pmx"), "a.b");
    EXPECT_EQ(FindFileIgnoringCase(ListParameterFiles(folder.path.string()), "BETA.pmx"), 3);
    EXPECT_EQ(FindFileIgnoringCase(ListParameterFiles(folder.path.string()), "beta2.pmx"), -1);

    for (int i = 10000; i < 11010; ++i)
        folder.Touch(std::to_string(i).insert(0, 1, 'm').append(".pmx"));
    const std::vector<std::string> many = ListParameterFiles(folder.path.string());
    ASSERT_EQ(many.size(), 1001u);
    EXPECT_EQ(many.back(), "m10996.pmx");  // the four above, then m10000 .. m10996
    EXPECT_TRUE(ListParameterFiles((folder.path / "missing").string()).empty());
}

TEST(PmxLibrary, NamesThatCannotBecomeALibraryFileAreRefused) {
    for (const char* good : {"Party", "mode 1", "a.b", "日本語", "-x", "..a"})
        EXPECT_TRUE(IsAcceptableFileName(good)) << good;
    const std::vector<std::string> refused = {"",
                                              ".",
                                              "..",
                                              "../x",
                                              "a/b",
                                              "a\\b",
                                              "a:b",
                                              "a*",
                                              "a?",
                                              "a|b",
                                              "a<b",
                                              "a>b",
                                              "a\"b",
                                              "a\nb",
                                              "a\tb",
                                              "a\x7f",
                                              std::string(252, 'n')};
    for (const std::string& bad : refused)
        EXPECT_FALSE(IsAcceptableFileName(bad)) << bad;
    EXPECT_TRUE(IsAcceptableFileName(std::string(251, 'n')));
}

TEST(ParameterImport, ShortFilesChangeNothingAndOutOfRangeValuesLoadClamped) {
    TempFolder folder;
    CAudioData source;
    source.Music().SetKeyShift(9);
    const std::string good = (folder.path / "good.pmx").string();
    ASSERT_TRUE(SaveParameterFile(source, good).ok);

    folder.Touch("short.pmx", 4059);
    CAudioData model;
    model.Music().SetKeyShift(3);
    const CheckedParameterFile shortFile =
        ReadCheckedParameterFile((folder.path / "short.pmx").string());
    EXPECT_FALSE(shortFile.read.ok);
    EXPECT_FALSE(LoadCheckedParameterFile(model, shortFile));
    EXPECT_EQ(model.Music().GetKeyShift(), 3);

    // A text file of the layout's length: out of range almost everywhere.
    folder.Touch("text.pmx", 4060);
    const CheckedParameterFile text = ReadCheckedParameterFile((folder.path / "text.pmx").string());
    ASSERT_TRUE(text.read.ok);
    EXPECT_FALSE(text.issues.empty());
    ASSERT_TRUE(LoadCheckedParameterFile(model, text));
    EXPECT_EQ(model.Music().GetKeyShift(), 14);  // 'xx' = 30840, clamped to the top
    EXPECT_TRUE(CheckFileFields(model).empty());

    const CheckedParameterFile clean = ReadCheckedParameterFile(good);
    EXPECT_TRUE(clean.issues.empty());
    ASSERT_TRUE(LoadCheckedParameterFile(model, clean));
    EXPECT_TRUE(DiffModels(source, model).empty());
}

TEST(ModelDiff, NamesEachDifferingFieldOfRecordsAndBandsWithBothValues) {
    CAudioData a;
    CAudioData b;
    EXPECT_TRUE(DiffModels(a, b).empty());
    b.Music().SetKeyShift(9);
    b.MainOut(1).GetEQ().GetAt(1).SetGain(130);
    b.Volume().SetMusicVol(5);  // not in the file: no difference
    const std::vector<FieldDifference> diff = DiffModels(a, b);
    // The gain and the flat flag it clears, in file order.
    ASSERT_EQ(diff.size(), 3u);
    EXPECT_EQ(DescribeDifference(diff[0]), "music: m_nKeyShift 0 -> 9");
    EXPECT_EQ(DescribeDifference(diff[1]), "mainOut1 band 2: m_nGain 120 -> 130");
    EXPECT_EQ(DescribeDifference(diff[2]), "mainOut1 band 2: m_bFlat 1 -> 0");
}
}  // namespace
