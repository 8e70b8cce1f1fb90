// `sonvela-cli soak SECONDS [--seed N]`: exercises a unit (or the simulated one, with dropped
// and garbled frames) for SECONDS: random edits of every kind through the model's setters, mode
// stores and recalls, and whole uploads, each waited for as the editor would. At the end the
// unit's whole memory is read back and compared with the model word for word. It prints the
// number of edits, resends and link drops; exit 1 when the memory differs.
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <random>

#include "clicommands.h"
#include "clihelp.h"
#include "core/common/utilities.h"
#include "core/model/audiodata.h"
#include "core/protocol/catalogue.h"
#include "core/protocol/command.h"
#include "core/protocol/linkstate.h"
#include "devicerecords.h"
#include "devicesession.h"
#include "link/linkcontroller.h"

namespace {
struct SoakCounts {
    int edits = 0;
    int modeStores = 0;
    int modeRecalls = 0;
    int uploads = 0;
    int linkDrops = 0;
};

class CSoak {
public:
    CSoak(CDeviceSession& session, unsigned seed) : m_session(session), m_random(seed) {}

    // One round: a few edits, a mode store, a mode recall or an upload.
    int Round(SoakCounts& counts) {
        const int pick = Uniform(0, 99);
        if (pick < 85) {
            for (int n = Uniform(1, 8); n > 0; --n) {
                Edit();
                ++counts.edits;
            }
            return m_session.WaitForChangesDelivered();
        }
        if (pick < 92) {
            ++counts.modeStores;
            return StoreMode(Uniform(0, kModeCount - 1));
        }
        if (pick < 97) {
            ++counts.modeRecalls;
            return RecallMode(Uniform(0, kModeCount - 1));
        }
        ++counts.uploads;
        return Upload();
    }

    // Reads the unit's whole memory back over the model's image and compares it with the image
    // the model held: the number of words that differ, or a negative exit code.
    int CompareWithUnit(QTextStream& out) {
        const DeviceImage expected = m_session.Model().Image();
        bool done = false;
        auto connection =
            QObject::connect(&m_session.Controller(), &CLinkController::ReadBackCompleted,
                             [&done](bool) { done = true; });
        ReadAllSequence(m_session.Command(), m_session.State().Chunked());
        const int result = m_session.WaitFor([&done] { return done; });
        QObject::disconnect(connection);
        if (result != kExitOk) {
            return -result;
        }
        int differences = 0;
        for (int ch = 0; ch < kBlockChannels; ++ch) {
            const auto want = expected.Words(ch);
            const auto got = m_session.Model().Image().Words(ch);
            for (std::size_t w = 0; w < want.size(); ++w) {
                if (want[w] != got[w]) {
                    if (++differences <= 20) {
                        out << "  channel " << ch << " word " << w << ": model " << want[w]
                            << ", unit " << got[w] << "\n";
                    }
                }
            }
        }
        return differences;
    }

private:
    int Uniform(int low, int high) { return std::uniform_int_distribution(low, high)(m_random); }

    // One random edit: a record field, a band word or a crossover word of any equalised
    // record, a master volume or a tone limit. The system record (panel lock, password) is
    // left alone so that the unit stays unlocked.
    void Edit() {
        CAudioData& model = m_session.Model();
        const int kind = Uniform(0, 2);
        if (kind == 0) {
            auto records = NamedRecords(model);
            records.removeIf([](const auto& entry) { return entry.first == "system"; });
            CParamRecord* record = records[Uniform(0, static_cast<int>(records.size()) - 1)].second;
            record->Set(Uniform(0, record->FieldCount() - 1),
                        static_cast<std::int16_t>(Uniform(0, 60)));
            return;
        }
        CEqRecord* record = model.EqRecordOfChannel(Uniform(kChMusic, kChSub + 1));
        CEQ& eq = record->GetEQ();
        if (kind == 1 && eq.GetBandCount() > 0) {
            CFilter& band = eq.GetAt(Uniform(0, eq.GetBandCount() - 1));
            switch (Uniform(0, 4)) {
                case 0:
                    band.SetGain(static_cast<std::int16_t>(Uniform(0, 180)));
                    break;
                case 1:
                    band.SetQ(static_cast<std::int16_t>(Uniform(0, 100)));
                    break;
                case 2:
                    band.SetSlope(static_cast<std::int16_t>(Uniform(0, 28)));
                    break;
                case 3:
                    band.SetType(static_cast<std::int16_t>(Uniform(0, 2)));
                    break;
                default:
                    band.SetFreq(static_cast<std::int16_t>(Uniform(1, 360)));
                    break;
            }
            return;
        }
        CFilter* crossover = Uniform(0, 1) == 0 ? eq.GetHighPass() : eq.GetLowPass();
        if (crossover != nullptr) {
            crossover->SetXoverFreq(static_cast<std::int16_t>(Uniform(1, 300)));
        }
    }

    int StoreMode(int mode) {
        CAudioData& model = m_session.Model();
        StringToFixedField(model.Image().ModeName(mode), "Soak " + std::to_string(mode + 1));
        model.System().SetSelectedMode(mode);
        model.System().SetSaveMode(static_cast<std::int16_t>(mode));
        return m_session.WaitForChangesDelivered();
    }

    int RecallMode(int mode) {
        bool done = false;
        auto connection =
            QObject::connect(&m_session.Controller(), &CLinkController::ReadBackCompleted,
                             [&done](bool) { done = true; });
        m_session.Controller().LoadMode(mode);
        const int result = m_session.WaitFor([&done] { return done; });
        QObject::disconnect(connection);
        return result;
    }

    int Upload() {
        bool confirmed = false;
        auto connection =
            QObject::connect(&m_session.Controller(), &CLinkController::VolumesConfirmed,
                             [&confirmed] { confirmed = true; });
        m_session.Controller().UploadModel();
        const int result = m_session.WaitFor([&confirmed] { return confirmed; });
        QObject::disconnect(connection);
        return result;
    }

    CDeviceSession& m_session;
    std::mt19937 m_random;
};
}  // namespace

int RunSoakCommand(const QStringList& args) {
    DeviceOptions options = ParseDeviceOptions(args);
    if (!options.error.isEmpty()) {
        return UsageError("soak", options.error);
    }
    unsigned seed = 1;
    const int seedAt = options.rest.indexOf("--seed");
    if (seedAt >= 0 && seedAt + 1 < options.rest.size()) {
        seed = options.rest[seedAt + 1].toUInt();
        options.rest.remove(seedAt, 2);
    }
    bool ok = false;
    const int seconds = options.rest.size() == 1 ? options.rest[0].toInt(&ok) : 0;
    if (!ok || seconds <= 0) {
        return UsageError("soak", "give the number of seconds to soak");
    }

    QTextStream out(stdout);
    SoakCounts counts;
    int resends = 0;
    QElapsedTimer clock;
    clock.start();
    // A dropped link is counted and connected again; the read-back on connecting makes the
    // model the unit's again, so nothing is compared across a drop.
    while (true) {
        CDeviceSession session(options);
        int result = session.Connect();
        if (result != kExitOk) {
            return result;
        }
        CSoak soak(session, seed++);
        while (result == kExitOk && clock.elapsed() < seconds * 1000LL) {
            result = soak.Round(counts);
        }
        resends += session.State().resends;
        if (result == kExitLinkLost) {
            ++counts.linkDrops;
            continue;
        }
        if (result != kExitOk) {
            return result;
        }
        // With --json the words that differ are listed on stderr and the result is one object.
        QTextStream err(stderr);
        const int differences = soak.CompareWithUnit(options.bJson ? err : out);
        if (differences < 0) {
            return -differences;
        }
        if (options.bJson) {
            out << QJsonDocument(QJsonObject{{"seconds", seconds},
                                             {"edits", counts.edits},
                                             {"modeStores", counts.modeStores},
                                             {"modeRecalls", counts.modeRecalls},
                                             {"uploads", counts.uploads},
                                             {"resends", resends},
                                             {"linkDrops", counts.linkDrops},
                                             {"differences", differences}})
                       .toJson();
            return differences > 0 ? kExitFailed : kExitOk;
        }
        out << "soak: " << seconds << " s, " << counts.edits << " edits, " << counts.modeStores
            << " mode stores, " << counts.modeRecalls << " mode recalls, " << counts.uploads
            << " uploads, " << resends << " resends, " << counts.linkDrops << " link drops\n";
        if (differences > 0) {
            out << "soak: the unit's memory differs from the model in " << differences
                << " words\n";
            return kExitFailed;
        }
        out << "soak: the unit's memory equals the model word for word\n";
        return kExitOk;
    }
}
