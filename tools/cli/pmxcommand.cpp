// `sonvela-cli pmx default -o FILE` and `sonvela-cli pmx show FILE [--json]`: write the
// parameter file of a fresh model, or decode every record, field and band record of a file.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTextStream>
#include <utility>
#include <vector>

#include "clicommands.h"
#include "core/model/audiodata.h"
#include "core/model/pmxfile.h"

namespace {
constexpr const char* kUsage =
    "usage: sonvela-cli pmx default -o FILE\n"
    "       sonvela-cli pmx show FILE [--json]\n";

int Usage() {
    QTextStream(stderr) << kUsage;
    return kExitUsage;
}

int Failed(const PmxResult& result) {
    QTextStream(stderr) << "sonvela-cli pmx: " << result.error.c_str() << "\n";
    return kExitFailed;
}

// The 68-byte band record's fields in file order.
std::vector<std::pair<const char*, double>> BandFields(const CFilter& f) {
    return {
        {"m_bEqBand", f.m_bEqBand},
        {"m_nType", f.m_nType},
        {"m_nFreq", f.m_nFreq},
        {"m_nGain", f.m_nGain},
        {"m_nQ", f.m_nQ},
        {"m_nSlope", f.m_nSlope},
        {"m_dFreqHz", f.m_dFreqHz},
        {"m_dQ", f.m_dQ},
        {"m_dGainDb", f.m_dGainDb},
        {"m_nReserved", f.m_nReserved},
        {"m_nSlopeCode", f.m_nSlopeCode},
        {"m_nXoverFreq", f.m_nXoverFreq},
        {"m_nXoverFamilyCode", f.m_nXoverFamilyCode},
        {"m_nXoverStepCode", f.m_nXoverStepCode},
        {"m_nXoverQ", f.m_nXoverQ},
        {"m_dXoverFreqHz", f.m_dXoverFreqHz},
        {"m_nFamily", f.m_nFamily},
        {"m_nSlopeStep", f.m_nSlopeStep},
        {"m_bFlat", f.m_bFlat},
    };
}

struct FileRecord {
    QString name;
    const CParamRecord* record;
    const CEQ* eq;  // null for records without bands
};

// The records of the file, in file order (the master volumes are not in the file).
std::vector<FileRecord> FileRecords(const CAudioData& data) {
    const char* const eqNames[] = {"music",   "mic",     "effect", "mainOut0", "mainOut1",
                                   "center0", "center1", "sub0",   "sub1"};
    std::vector<FileRecord> records;
    for (int ch = kChMusic; ch <= kChSub + 1; ++ch) {
        const CEqRecord* record = data.EqRecordOfChannel(ch);
        records.push_back({eqNames[ch], record, &record->GetEQ()});
    }
    records.push_back({"toneLimits", &data.ToneLimits(), nullptr});
    records.push_back({"system", &data.System(), nullptr});
    return records;
}

QJsonObject ToJson(const FileRecord& r) {
    QJsonObject fields;
    for (int i = 0; i < r.record->FieldCount(); ++i) {
        const FieldDef& def = r.record->Fields()[static_cast<std::size_t>(i)];
        if (def.inFile) {
            fields.insert(QString::fromLatin1(def.name), r.record->Get(i));
        }
    }
    QJsonObject object{{"name", r.name}, {"channel", r.record->Channel()}, {"fields", fields}};
    if (r.eq != nullptr) {
        QJsonArray bands;
        for (int k = 0; k < r.eq->GetCount(); ++k) {
            QJsonObject band;
            for (const auto& [name, value] : BandFields(r.eq->GetAt(k))) {
                band.insert(QString::fromLatin1(name), value);
            }
            bands.append(band);
        }
        object.insert("bands", bands);
    }
    return object;
}

void PrintText(QTextStream& out, const FileRecord& r) {
    out << r.name << " (channel " << r.record->Channel() << ")\n";
    for (int i = 0; i < r.record->FieldCount(); ++i) {
        const FieldDef& def = r.record->Fields()[static_cast<std::size_t>(i)];
        if (def.inFile) {
            out << "  " << def.name << " = " << r.record->Get(i) << "\n";
        }
    }
    for (int k = 0; r.eq != nullptr && k < r.eq->GetCount(); ++k) {
        const CFilter& f = r.eq->GetAt(k);
        out << "  record " << k
            << (f.IsHighPass()  ? " (high-pass)"
                : f.IsLowPass() ? " (low-pass)"
                                : "")
            << ":";
        for (const auto& [name, value] : BandFields(f)) {
            out << " " << name << "="
                << QString::number(value, 'g', QLocale::FloatingPointShortest);
        }
        out << "\n";
    }
}

int WriteDefault(const QStringList& args) {
    if (args.size() != 2 || args[0] != "-o") {
        return Usage();
    }
    CAudioData data;
    const PmxResult result = SaveParameterFile(data, args[1].toStdString());
    return result.ok ? kExitOk : Failed(result);
}

int Show(const QStringList& args) {
    const bool json = args.contains("--json");
    QStringList rest = args;
    rest.removeAll("--json");
    if (rest.size() != 1) {
        return Usage();
    }
    CAudioData data;
    const PmxResult result = LoadParameterFile(data, rest[0].toStdString());
    if (!result.ok) {
        return Failed(result);
    }
    QTextStream out(stdout);
    if (json) {
        QJsonArray records;
        for (const FileRecord& r : FileRecords(data)) {
            records.append(ToJson(r));
        }
        out << QJsonDocument(QJsonObject{{"file", rest[0]}, {"records", records}})
                   .toJson(QJsonDocument::Indented);
    } else {
        for (const FileRecord& r : FileRecords(data)) {
            PrintText(out, r);
        }
    }
    return kExitOk;
}
}  // namespace

int RunPmxCommand(const QStringList& args) {
    if (args.isEmpty()) {
        return Usage();
    }
    if (args[0] == "default") {
        return WriteDefault(args.mid(1));
    }
    if (args[0] == "show") {
        return Show(args.mid(1));
    }
    return Usage();
}
