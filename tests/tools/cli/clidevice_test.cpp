// sonvela-cli's device commands against the simulated unit, over TCP loopback and over a pty.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>

#include "core/model/audiodata.h"
#include "core/model/pmxfile.h"
#include "tests/support/processrun.h"
#include "tests/support/simunitthread.h"

namespace {
constexpr int kCliTimeoutMs = 60000;
constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;
constexpr int kExitNoUnit = 3;
constexpr int kExitRefused = 4;
constexpr int kExitLocked = 5;
constexpr int kExitLinkLost = 6;

using CliRun = ProcessRun;

CliRun RunCli(const CSimUnitThread& unit, const QStringList& args) {
    return RunProcess(SONVELA_CLI_PATH, args + unit.CliLinkOptions(), kCliTimeoutMs);
}

// A loopback port that nothing listens on.
quint16 ClosedLoopbackPort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

const CSimUnitThread::Transport kTransports[] = {CSimUnitThread::Transport::Tcp,
                                                 CSimUnitThread::Transport::Pty};

const char* Name(CSimUnitThread::Transport transport) {
    return transport == CSimUnitThread::Transport::Tcp ? "tcp" : "pty";
}

// Channels 0-10 of the unit and of a dump's image, word for word.
void ExpectImageEqualsUnit(const QJsonObject& dump, CSimUnitThread& unit, const char* what) {
    const QJsonObject image = dump["image"].toObject();
    const QJsonArray channels = image["channels"].toArray();
    ASSERT_EQ(channels.size(), kBlockChannels) << what;
    unit.WithUnit([&](CSimUnit& sim) {
        for (int ch = 0; ch < kBlockChannels; ++ch) {
            const auto block = sim.Block(ch);
            const QJsonArray words = channels[ch].toArray();
            ASSERT_EQ(words.size(), static_cast<qsizetype>(block.size())) << what << " ch " << ch;
            for (std::size_t w = 0; w < block.size(); ++w) {
                EXPECT_EQ(words[w].toInt(), block[w]) << what << " ch " << ch << " word " << w;
            }
        }
        const QJsonArray system = image["system"].toObject()["bytes"].toArray();
        const auto bytes = sim.SystemBlock();
        ASSERT_EQ(system.size(), static_cast<qsizetype>(bytes.size())) << what;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            EXPECT_EQ(system[i].toInt(), bytes[i]) << what << " system byte " << i;
        }
    });
}

// What the unit must hold after `path` (a file within every range) was uploaded: its memory,
// with every word the model keeps replaced by the file's value (words the model does not keep
// are sent back as read).
std::unique_ptr<CAudioData> ExpectedAfterUpload(CSimUnitThread& unit, const QString& path) {
    auto expected = std::make_unique<CAudioData>();
    unit.WithUnit([&](CSimUnit& sim) {
        for (int ch = 0; ch < kBlockChannels; ++ch) {
            const auto block = sim.Block(ch);
            std::copy(block.begin(), block.end(), expected->Image().Words(ch).begin());
        }
    });
    expected->LoadAllFromImage(expected->Image());
    EXPECT_TRUE(LoadParameterFile(*expected, path.toStdString()).ok);
    expected->StoreAllToImage(expected->Image());
    return expected;
}

// Channels 0-9 of the unit equal the image of `model` (the volumes of channel 10 are not part
// of a parameter file).
void ExpectUnitHolds(CSimUnitThread& unit, const CAudioData& model, const char* what) {
    unit.WithUnit([&](CSimUnit& sim) {
        for (int ch = 0; ch < kChVolume; ++ch) {
            const auto expected = model.Image().Words(ch);
            const auto actual = sim.Block(ch);
            ASSERT_EQ(actual.size(), expected.size()) << what << " ch " << ch;
            for (std::size_t w = 0; w < actual.size(); ++w) {
                EXPECT_EQ(actual[w], expected[w]) << what << " ch " << ch << " word " << w;
            }
        }
    });
}

// A parameter file whose first field of every channel record 0-9 is one above its default.
// (The master volumes are not part of the file.)
QString WriteChangedFile(const QTemporaryDir& dir, CAudioData& model) {
    CParamRecord* records[] = {
        &model.Music(),   &model.Mic(),     &model.Echo(), &model.MainOut(0), &model.MainOut(1),
        &model.Center(0), &model.Center(1), &model.Sub(0), &model.Sub(1),     &model.ToneLimits()};
    for (CParamRecord* pRecord : records) {
        pRecord->Set(0, static_cast<std::int16_t>(pRecord->Get(0) + 1));
    }
    const QString path = dir.filePath("changed.pmx");
    EXPECT_TRUE(SaveParameterFile(model, path.toStdString()).ok);
    return path;
}

// A 4060-byte slice of a text whose words 0 and 1 (music input and key shift) are "# " and
// "So": 8227 and 28499.
QByteArray TextSlice() {
    QByteArray text = "# So the story goes: a parameter file is not a text file. ";
    while (text.size() < 4060)
        text += text;
    return text.left(4060);
}

QJsonObject Json(const CliRun& run) {
    return QJsonDocument::fromJson(run.out).object();
}
}  // namespace

TEST(CliDevice, DumpShowsExactlyTheUnitsMemory) {
    for (const auto transport : kTransports) {
        CSimUnitThread unit(transport);
        ASSERT_TRUE(unit.IsValid()) << Name(transport);
        // Something other than the defaults in the memory the dump must find.
        unit.WithUnit([](CSimUnit& sim) {
            sim.Block(kChMic)[5] = -7;
            sim.Block(kChVolume)[0] = 42;
            sim.SystemBlock()[2] = 'Q';
        });
        // Reads driven by the unit's replies, and at the tick's pace.
        for (const QStringList& pacing : {QStringList{}, QStringList{"--paced"}}) {
            const CliRun run =
                RunCli(unit, QStringList{"dump", "--json", "--show-password"} + pacing);
            ASSERT_EQ(run.exitCode, kExitOk) << Name(transport) << run.err.toStdString();
            ExpectImageEqualsUnit(Json(run), unit, Name(transport));
            EXPECT_EQ(Json(run)["records"].toObject()["volume"].toObject()["m_nMicVol"].toInt(), 42)
                << Name(transport);
        }
    }
}

TEST(CliDevice, RestoreThenDumpRoundTrips) {
    for (const auto transport : kTransports) {
        QTemporaryDir dir;
        CSimUnitThread unit(transport);
        ASSERT_TRUE(unit.IsValid()) << Name(transport);
        CAudioData model;
        const QString path = WriteChangedFile(dir, model);
        const auto expected = ExpectedAfterUpload(unit, path);
        const CliRun restore = RunCli(unit, {"restore", path});
        ASSERT_EQ(restore.exitCode, kExitOk) << Name(transport) << restore.err.toStdString();
        ExpectUnitHolds(unit, *expected, Name(transport));

        // Read back into a file again: the same file.
        const CliRun backup = RunCli(unit, {"backup", "-o", dir.filePath("back.pmx")});
        ASSERT_EQ(backup.exitCode, kExitOk) << Name(transport) << backup.err.toStdString();
        // Every channel record of the backup equals the restored file's.
        CAudioData original;
        CAudioData back;
        ASSERT_TRUE(LoadParameterFile(original, path.toStdString()).ok);
        ASSERT_TRUE(LoadParameterFile(back, dir.filePath("back.pmx").toStdString()).ok);
        original.StoreAllToImage(original.Image());
        back.StoreAllToImage(back.Image());
        for (int ch = 0; ch < kChVolume; ++ch) {
            const auto a = original.Image().Words(ch);
            const auto b = back.Image().Words(ch);
            EXPECT_TRUE(std::equal(a.begin(), a.end(), b.begin(), b.end()))
                << Name(transport) << " ch " << ch;
        }
        // A backup is a file of our own making: it passes the check and restores. Nothing the
        // commands sent was refused by the unit.
        const CliRun again = RunCli(unit, {"restore", dir.filePath("back.pmx")});
        EXPECT_EQ(again.exitCode, kExitOk) << Name(transport) << again.err.toStdString();
        unit.WithUnit(
            [&](CSimUnit& sim) { EXPECT_EQ(sim.Counters().rejected, 0) << Name(transport); });
    }
}

// Files that must not reach the unit, and a backup that cannot be written, send nothing at all.
TEST(CliDevice, BadFilesAndUnwritableBackupsSendNothing) {
    QTemporaryDir dir;
    auto write = [&dir](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QString shortFile = write("short.pmx", QByteArray(100, '\x01'));
    const QString textFile = write("text.pmx", TextSlice());
    const QString plainFile = write("plain", "x");
    const struct {
        const char* what;
        QStringList args;
        const char* message;
    } cases[] = {
        {"a truncated file", {"restore", shortFile}, "too short"},
        {"a text file", {"restore", textFile}, "music: m_nKeyShift = 28499 (allowed 0 to 14)"},
        {"backup into a missing folder", {"backup", "-o", dir.filePath("none/b.pmx")}, "none"},
        {"backup below a file", {"backup", "-o", plainFile + "/b.pmx"}, "cannot create"},
        {"backup onto a folder", {"backup", "-o", dir.path()}, "is a folder"},
    };
    for (const auto& c : cases) {
        CSimUnitThread unit(CSimUnitThread::Transport::Tcp);
        const CliRun run = RunCli(unit, c.args);
        EXPECT_EQ(run.exitCode, 1) << c.what;
        EXPECT_TRUE(run.err.contains(c.message)) << c.what << ": " << run.err.toStdString();
        unit.WithUnit(
            [&](CSimUnit& sim) { EXPECT_EQ(sim.Counters().framesReceived, 0) << c.what; });
    }
}

// With --force a file with values out of range is sent with every value clamped to its range:
// below a minimum up to it, above a maximum down to it.
TEST(CliDevice, ForcedRestoreSendsTheValuesClamped) {
    struct Field {
        void (*set)(CAudioData&, std::int16_t);
        std::int16_t inFile;
        std::int16_t sent;
    };
    const Field fields[] = {
        {[](CAudioData& d, std::int16_t v) { d.Music().SetInput(v); }, -3, 0},
        {[](CAudioData& d, std::int16_t v) { d.Music().SetKeyShift(v); }, 99, 14},
        {[](CAudioData& d, std::int16_t v) { d.ToneLimits().SetCurrent(2, v); }, 10, 60},
        {[](CAudioData& d, std::int16_t v) { d.ToneLimits().SetMaxCut(5, v); }, 150, 120},
        {[](CAudioData& d, std::int16_t v) { d.Mic().GetEQ().GetAt(14).SetGain(v); }, -30, 0},
        {[](CAudioData& d, std::int16_t v) { d.Music().GetEQ().GetAt(0).SetSlope(v); }, 50, 28},
        {[](CAudioData& d, std::int16_t v) { d.MainOut(0).GetLowPass()->SetXoverFreq(v); }, 200,
         297},
        {[](CAudioData& d, std::int16_t v) { d.Sub(1).GetLowPass()->SetXoverFreq(v); }, 300, 142},
    };
    QTemporaryDir dir;
    CAudioData file;
    for (const Field& f : fields) {
        f.set(file, f.inFile);
    }
    const QString path = dir.filePath("out-of-range.pmx");
    ASSERT_TRUE(SaveParameterFile(file, path.toStdString()).ok);
    CSimUnitThread unit(CSimUnitThread::Transport::Tcp);
    // The unit's memory with the file's values, then the clamped ones where they differ.
    const auto expected = ExpectedAfterUpload(unit, path);
    for (const Field& f : fields) {
        f.set(*expected, f.sent);
    }
    expected->StoreAllToImage(expected->Image());

    const CliRun run = RunCli(unit, {"restore", path, "--force", "--json"});
    ASSERT_EQ(run.exitCode, kExitOk) << run.err.toStdString();
    EXPECT_EQ(Json(run)["clamped"].toInt(), 8);
    ExpectUnitHolds(unit, *expected, "forced");
    unit.WithUnit([](CSimUnit& sim) {
        EXPECT_EQ(sim.Block(kChMusic)[0], 0);       // input -3
        EXPECT_EQ(sim.Block(kChMusic)[2], 14);      // key shift 99
        EXPECT_EQ(sim.Block(kChMainOut)[15], 297);  // main low-pass 200
    });
}

TEST(CliDevice, DumpMasksThePanelPassword) {
    SimOptions options;
    options.lockPassword = "2468";
    CSimUnitThread unit(CSimUnitThread::Transport::Tcp, options);
    for (const bool show : {false, true}) {
        QStringList args = {"dump", "--json", "--password", "2468"};
        if (show)
            args << "--show-password";
        const CliRun run = RunCli(unit, args);
        ASSERT_EQ(run.exitCode, kExitOk) << run.err.toStdString();
        const QJsonObject system = Json(run)["image"].toObject()["system"].toObject();
        EXPECT_EQ(system["password"].toString(), show ? "2468" : "****");
        EXPECT_EQ(system["bytes"].toArray()[148].toInt(), show ? '2' : '*');
        const CliRun text = RunCli(unit, {"dump", "--password", "2468"});
        EXPECT_FALSE(text.out.contains("2468"));
    }
}

TEST(CliDevice, ALockedPanelNeedsTheRightPassword) {
    const struct {
        const char* what;
        QStringList extra;
        int exitCode;
    } cases[] = {
        {"no password", {}, kExitLocked},
        {"right password", {"--password", "4321"}, kExitOk},
        {"wrong password", {"--password", "1234"}, kExitLocked},
        {"too short, said before connecting", {"--password", "432"}, kExitUsage},
    };
    for (const auto transport : kTransports) {
        for (const auto& c : cases) {
            SimOptions options;
            options.lockPassword = "4321";
            CSimUnitThread unit(transport, options);
            const CliRun run = RunCli(unit, QStringList{"dump"} + c.extra);
            EXPECT_EQ(run.exitCode, c.exitCode) << Name(transport) << " " << c.what;
            if (c.exitCode == kExitUsage) {
                unit.WithUnit([&](CSimUnit& sim) {
                    EXPECT_EQ(sim.Counters().framesReceived, 0) << Name(transport) << " " << c.what;
                });
            }
        }
    }
}

TEST(CliDevice, RefusingSilentAndVanishingUnits) {
    for (const auto transport : kTransports) {
        {
            // Over a serial port the two refusals of one search tick may be read together.
            SimOptions options;
            options.refuse = true;
            CSimUnitThread unit(transport, options);
            EXPECT_EQ(RunCli(unit, {"probe"}).exitCode, kExitRefused) << Name(transport);
        }
        {
            SimOptions options;
            options.silent = true;
            CSimUnitThread unit(transport, options);
            const CliRun run = RunCli(unit, {"probe"});
            EXPECT_EQ(run.exitCode, kExitNoUnit) << Name(transport);
            const QString where = transport == CSimUnitThread::Transport::Tcp
                                      ? QStringLiteral("127.0.0.1:%1").arg(unit.TcpPort())
                                      : unit.PtyPath();
            EXPECT_TRUE(run.err.endsWith(
                ("sonvela-cli: the unit at " + where + " did not answer the handshake\n").toUtf8()))
                << run.err.toStdString();
            if (transport == CSimUnitThread::Transport::Pty) {
                EXPECT_TRUE(run.err.startsWith(("Com search " + where + " (0/10)\n").toUtf8()))
                    << run.err.toStdString();
            }
        }
        {
            // Acknowledges the handshake, then never answers again: the read-back's first
            // request is sent six times and the link dropped.
            CSimUnitThread unit(transport);
            unit.MuteAfter(1);
            const CliRun run = RunCli(unit, {"dump"});
            EXPECT_EQ(run.exitCode, kExitLinkLost) << Name(transport);
            unit.WithUnit([&](CSimUnit& sim) {
                // The handshakes plus six sends of the first read request.
                EXPECT_GE(sim.Counters().framesReceived, 7) << Name(transport);
            });
        }
    }
}

// Every way a link can fail ends with exit 3 and the reason the link layer knows. Nothing
// leaves this machine: a closed loopback port, an empty host, a path that does not exist. (An
// unknown host name would ask the resolver; its message is checked in the link tests.)
TEST(CliDevice, EachLinkFailureSaysWhy) {
    QTemporaryDir dir;
    const quint16 closed = ClosedLoopbackPort();
    const QString missing = dir.filePath("ttyUSB3");
    const struct {
        QStringList args;
        QString says;
    } cases[] = {
        {{"probe", "--tcp", QStringLiteral("127.0.0.1:%1").arg(closed)},
         QStringLiteral("cannot connect to 127.0.0.1:%1: connection refused").arg(closed)},
        {{"backup", "-o", dir.filePath("b.pmx"), "--tcp", ""},
         "cannot connect: --tcp names no host"},
        {{"probe", "--serial", missing}, "no serial port " + missing},
    };
    for (const auto& c : cases) {
        const CliRun run = RunProcess(SONVELA_CLI_PATH, c.args);
        EXPECT_EQ(run.exitCode, kExitNoUnit) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.endsWith(("sonvela-cli: " + c.says + "\n").toUtf8()))
            << run.err.toStdString();
    }
}

// A serial port the user may not open says so, with the usual cure. Run as a user without
// rights on the pty (root may open anything).
TEST(CliDevice, APortTheUserMayNotOpenSaysSo) {
    if (::geteuid() != 0 || !QFile::exists("/usr/bin/setpriv")) {
        GTEST_SKIP() << "needs root and setpriv to run the tool as another user";
    }
    CSimUnitThread unit(CSimUnitThread::Transport::Pty);
    const CliRun run =
        RunProcess("/usr/bin/setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups",
                                        SONVELA_CLI_PATH, "probe", "--serial", unit.PtyPath()});
    EXPECT_EQ(run.exitCode, kExitNoUnit);
    EXPECT_TRUE(run.err.endsWith(("sonvela-cli: permission denied on " + unit.PtyPath() +
                                  " (is the user in the dialout group?)\n")
                                     .toUtf8()))
        << run.err.toStdString();
    unit.WithUnit([](CSimUnit& sim) { EXPECT_EQ(sim.Counters().framesReceived, 0); });
}

TEST(CliDevice, GarbageAndDroppedFramesStillConverge) {
    for (const auto transport : kTransports) {
        QTemporaryDir dir;
        SimOptions options;
        options.dropEvery = 100;
        options.garbageEvery = 7;
        CSimUnitThread unit(transport, options);
        CAudioData model;
        const QString path = WriteChangedFile(dir, model);
        const auto expected = ExpectedAfterUpload(unit, path);
        const CliRun restore = RunCli(unit, {"restore", path});
        ASSERT_EQ(restore.exitCode, kExitOk) << Name(transport) << restore.err.toStdString();
        ExpectUnitHolds(unit, *expected, Name(transport));

        const CliRun set = RunCli(unit, {"set", "music.m_nInput=2", "volume.m_nMusicVol=33"});
        ASSERT_EQ(set.exitCode, kExitOk) << Name(transport) << set.err.toStdString();
        const CliRun dump = RunCli(unit, {"dump", "--json", "--show-password"});
        ASSERT_EQ(dump.exitCode, kExitOk) << Name(transport) << dump.err.toStdString();
        ExpectImageEqualsUnit(Json(dump), unit, Name(transport));
        unit.WithUnit(
            [&](CSimUnit& sim) { EXPECT_GT(sim.Counters().garbled, 0) << Name(transport); });
    }
}

TEST(CliDevice, ModesAreStoredAndRecalled) {
    CSimUnitThread unit(CSimUnitThread::Transport::Tcp);
    const CliRun save = RunCli(unit, {"save-mode", "3", "Party"});
    ASSERT_EQ(save.exitCode, kExitOk) << save.err.toStdString();
    unit.WithUnit([](CSimUnit& sim) {
        const auto name = sim.SystemBlock().subspan(2 + 2 * kModeNameLength, kModeNameLength);
        EXPECT_EQ(std::string(name.begin(), name.end()), "Party               ");
    });
    const CliRun recall = RunCli(unit, {"recall-mode", "2"});
    ASSERT_EQ(recall.exitCode, kExitOk) << recall.err.toStdString();
    unit.WithUnit([](CSimUnit& sim) {
        EXPECT_EQ(sim.ModeIndex(), 1);
        EXPECT_EQ(sim.Counters().rejected, 0);
    });

    const struct {
        QStringList args;
    } usage[] = {{{"recall-mode", "8"}},
                 {{"save-mode", "0", "x"}},
                 {{"save-mode", "1", "a name of twenty-one!"}}};
    for (const auto& c : usage) {
        EXPECT_EQ(RunCli(unit, c.args).exitCode, kExitUsage) << c.args.join(' ').toStdString();
    }
    // Every command that prints a result prints it as JSON when asked.
    const struct {
        QStringList args;
        const char* key;
        int value;
    } json[] = {{{"recall-mode", "4", "--json"}, "recalled", 4},
                {{"save-mode", "5", "Late", "--json"}, "saved", 5},
                {{"set", "music.m_nInput=3", "--json"}, "set", 1}};
    for (const auto& c : json) {
        const CliRun run = RunCli(unit, c.args);
        ASSERT_EQ(run.exitCode, kExitOk) << run.err.toStdString();
        EXPECT_EQ(Json(run)[c.key].toInt(), c.value) << c.args.join(' ').toStdString();
    }
}
