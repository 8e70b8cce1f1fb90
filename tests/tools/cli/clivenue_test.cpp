// sonvela-cli scan, backup --all and restore --all against several simulated units in one /24:
// in network namespaces made by the test (the tool can reach nothing but those units), and on
// loopback addresses where namespaces cannot be made.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "tests/support/simvenue.h"

namespace {
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitRefused = 4;
constexpr int kExitLocked = 5;
const QString kPassword = QStringLiteral("3958");  // the simulator's factory password

class CliVenue : public ::testing::TestWithParam<CSimVenue::Mode> {
protected:
    void SetUp() override {
        m_pVenue = std::make_unique<CSimVenue>(GetParam(), TQ640V_SIM_PATH);
        if (!m_pVenue->IsReady()) {
            GTEST_SKIP() << "No network namespaces here (" << m_pVenue->Error().toStdString()
                         << "); the loopback variant covers the commands";
        }
    }

    CSimVenue& Venue() { return *m_pVenue; }
    void AddUnit(int host, const QStringList& options = {}) {
        ASSERT_TRUE(m_pVenue->AddUnit(host, options)) << m_pVenue->Error().toStdString();
    }
    ProcessRun Cli(const QStringList& args) const { return m_pVenue->Run(SONVELA_CLI_PATH, args); }
    // A command over the whole /24.
    ProcessRun CliOnBlock(const QStringList& args) const {
        return Cli(args + QStringList{m_pVenue->Block()} + m_pVenue->ScanOptions());
    }
    ProcessRun CliOnUnit(int host, const QStringList& args) const {
        return Cli(args + m_pVenue->UnitOptions(host));
    }

    // address -> the unit's object in a --json report
    static QMap<QString, QJsonObject> Units(const ProcessRun& run) {
        QMap<QString, QJsonObject> units;
        for (const QJsonValue& unit : QJsonDocument::fromJson(run.out)["units"].toArray()) {
            units[unit["address"].toString()] = unit.toObject();
        }
        return units;
    }

    std::unique_ptr<CSimVenue> m_pVenue;
};

TEST_P(CliVenue, ScanListsEveryUnitWithItsLockAndModes) {
    AddUnit(2);
    AddUnit(3, {"--locked"});
    AddUnit(4);
    AddUnit(5, {"--silent"});  // listens but never answers the handshake: not a unit
    const ProcessRun named = CliOnUnit(4, {"save-mode", "3", "Party"});
    ASSERT_EQ(named.exitCode, kExitOk) << named.err.toStdString();

    const ProcessRun run = CliOnBlock({"scan", "--json"});
    ASSERT_EQ(run.exitCode, kExitOk) << run.err.toStdString();
    const auto units = Units(run);
    ASSERT_EQ(units.keys(),
              (QStringList{Venue().Address(2), Venue().Address(3), Venue().Address(4)}));
    EXPECT_FALSE(units[Venue().Address(2)]["locked"].toBool());
    EXPECT_TRUE(units[Venue().Address(3)]["locked"].toBool());
    const QJsonArray modes = units[Venue().Address(4)]["modes"].toArray();
    ASSERT_EQ(modes.size(), 7);
    EXPECT_EQ(modes[2].toString(), "Party");
    EXPECT_NE(units[Venue().Address(2)]["modes"].toArray()[2].toString(), "Party");

    const ProcessRun text = CliOnBlock({"scan"});
    EXPECT_EQ(text.exitCode, kExitOk);
    EXPECT_TRUE(text.out.contains(Venue().Address(3).toUtf8() + "  panel locked  modes "))
        << text.out.toStdString();
    EXPECT_EQ(text.out.count('\n'), 3);
}

TEST_P(CliVenue, BackupAndRestoreEveryUnitReportEachAndExitWithTheFirstFailure) {
    AddUnit(2);
    AddUnit(3, {"--locked"});
    AddUnit(4);
    AddUnit(6, {"--refuse"});
    QTemporaryDir dir;
    const QDir out(dir.path());

    // Without the password the locked unit fails, and it comes before the refusing one.
    ProcessRun run = CliOnBlock({"backup", "--all", dir.path()});
    EXPECT_EQ(run.exitCode, kExitLocked) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(Venue().Address(2).toUtf8() + "  saved ")) << run.out.data();
    EXPECT_TRUE(run.out.contains(Venue().Address(3).toUtf8() + "  failed (exit 5): "));
    EXPECT_TRUE(run.out.contains(Venue().Address(6).toUtf8() + "  failed (exit 4): "));
    EXPECT_TRUE(out.exists(Venue().Address(4) + ".pmx"));
    EXPECT_FALSE(out.exists(Venue().Address(3) + ".pmx"));

    run = CliOnBlock({"backup", "--all", dir.path(), "--password", kPassword, "--json"});
    EXPECT_EQ(run.exitCode, kExitRefused) << run.err.toStdString();
    EXPECT_EQ(Units(run)[Venue().Address(3)]["exit"].toInt(), kExitOk);
    EXPECT_EQ(Units(run)[Venue().Address(6)]["exit"].toInt(), kExitRefused);
    EXPECT_TRUE(out.exists(Venue().Address(3) + ".pmx"));

    // One unit's changed state goes to every unit.
    auto input = [this](int host) {
        const ProcessRun dump = CliOnUnit(host, {"dump", "--json", "--password", kPassword});
        return QJsonDocument::fromJson(dump.out)["records"]["music"]["m_nInput"].toInt(-1);
    };
    ASSERT_NE(input(4), 2);
    ASSERT_EQ(CliOnUnit(2, {"set", "music.m_nInput=2"}).exitCode, kExitOk);
    const QString file = out.filePath("changed.pmx");
    ASSERT_EQ(CliOnUnit(2, {"backup", "-o", file}).exitCode, kExitOk);
    run = CliOnBlock({"restore", "--all", file, "--password", kPassword, "--json"});
    EXPECT_EQ(run.exitCode, kExitRefused) << run.err.toStdString();
    EXPECT_EQ(Units(run)[Venue().Address(4)]["restored"].toString(), file);
    EXPECT_EQ(input(3), 2);
    EXPECT_EQ(input(4), 2);

    // A file that fails its check is refused before any address is tried.
    QFile text(out.filePath("text.pmx"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(4060, '#'));
    text.close();
    run = CliOnBlock({"restore", "--all", text.fileName()});
    EXPECT_EQ(run.exitCode, kExitFailed);
    EXPECT_TRUE(run.err.contains("nothing was sent")) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains("scanning"));
}

INSTANTIATE_TEST_SUITE_P(Venues, CliVenue,
                         ::testing::Values(CSimVenue::Mode::Namespaces, CSimVenue::Mode::Loopback),
                         [](const auto& info) {
                             return info.param == CSimVenue::Mode::Namespaces ? "Namespaces"
                                                                              : "Loopback";
                         });

}  // namespace
