// `sonvela-cli pmx default -o FILE`, `pmx show FILE [--json]`, `pmx check FILE [--json]` and
// `pmx diff A B [--json]`: write the parameter file of a fresh model, decode every record, field
// and band record of a file, check every field of a file against the range its page allows, or
// list the fields whose values differ between two files.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTextStream>
#include <utility>
#include <vector>

#include "clicommands.h"
#include "clihelp.h"
#include "core/model/audiodata.h"
#include "core/model/filerecords.h"
#include "core/model/modeldiff.h"
#include "core/model/parametercheck.h"
#include "core/model/pmxfile.h"
#include "rangereport.h"

namespace {
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

QJsonObject ToJson(const FileRecord& r) {
    const QString name = QString::fromLatin1(r.name);
    QJsonObject fields;
    for (int i = 0; i < r.record->FieldCount(); ++i) {
        const FieldDef& def = r.record->Fields()[static_cast<std::size_t>(i)];
        if (def.inFile) {
            fields.insert(QString::fromLatin1(def.name), r.record->Get(i));
        }
    }
    QJsonObject object{{"name", name}, {"channel", r.record->Channel()}, {"fields", fields}};
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

// The file argument and --json; false when the arguments are anything else.
bool FileAndJson(const QStringList& args, QString& file, bool& json) {
    json = args.contains("--json");
    QStringList rest = args;
    rest.removeAll("--json");
    if (rest.size() != 1) {
        return false;
    }
    file = rest[0];
    return true;
}

int WriteDefault(const QStringList& args) {
    QString file;
    bool json = false;
    const qsizetype o = args.indexOf("-o");
    if (o < 0 || !FileAndJson(QStringList(args).mid(0, o) + args.mid(o + 1), file, json)) {
        return UsageError("pmx", "pmx default takes -o FILE");
    }
    CAudioData data;
    const PmxResult result = SaveParameterFile(data, file.toStdString());
    if (!result.ok) {
        return Failed(result);
    }
    QTextStream out(stdout);
    if (json) {
        out << QJsonDocument(QJsonObject{{"saved", file}}).toJson();
    } else {
        out << "saved " << file << "\n";
    }
    return kExitOk;
}

int Show(const QStringList& args) {
    QString file;
    bool json = false;
    if (!FileAndJson(args, file, json)) {
        return UsageError("pmx", "pmx show takes one FILE");
    }
    CAudioData data;
    const PmxResult result = LoadParameterFile(data, file.toStdString());
    if (!result.ok) {
        return Failed(result);
    }
    QTextStream out(stdout);
    if (json) {
        QJsonArray records;
        for (const FileRecord& r : FileRecordsOf(data)) {
            records.append(ToJson(r));
        }
        out << QJsonDocument(QJsonObject{{"file", file}, {"records", records}})
                   .toJson(QJsonDocument::Indented);
    } else {
        for (const FileRecord& r : FileRecordsOf(data)) {
            PrintText(out, r);
        }
    }
    return kExitOk;
}

int Check(const QStringList& args) {
    QString file;
    bool json = false;
    if (!FileAndJson(args, file, json)) {
        return UsageError("pmx", "pmx check takes one FILE");
    }
    std::vector<std::uint8_t> bytes;
    const PmxResult result = ReadParameterBytes(file.toStdString(), bytes);
    if (!result.ok) {
        return Failed(result);
    }
    const std::vector<RangeIssue> issues = CheckParameterBytes(bytes);
    QTextStream out(stdout);
    if (json) {
        out << QJsonDocument(RangeReportJson(file, issues)).toJson(QJsonDocument::Indented);
    } else {
        PrintRangeReport(out, file, issues);
    }
    return issues.empty() ? kExitOk : kExitFailed;
}

int Diff(const QStringList& args) {
    const bool json = args.contains("--json");
    QStringList files = args;
    files.removeAll("--json");
    if (files.size() != 2) {
        return UsageError("pmx", "pmx diff takes two FILEs");
    }
    CAudioData a;
    CAudioData b;
    for (const auto& [model, file] : {std::pair{&a, files[0]}, std::pair{&b, files[1]}}) {
        const PmxResult result = LoadParameterFile(*model, file.toStdString());
        if (!result.ok) {
            return Failed(result);
        }
    }
    const std::vector<FieldDifference> differences = DiffModels(a, b);
    QTextStream out(stdout);
    if (json) {
        QJsonArray list;
        for (const FieldDifference& d : differences) {
            list.append(QJsonObject{{"record", QString::fromStdString(d.record)},
                                    {"item", QString::fromStdString(d.item)},
                                    {"field", QString::fromStdString(d.field)},
                                    {"a", d.before},
                                    {"b", d.after}});
        }
        out << QJsonDocument(QJsonObject{{"a", files[0]},
                                         {"b", files[1]},
                                         {"count", static_cast<int>(differences.size())},
                                         {"differences", list}})
                   .toJson(QJsonDocument::Indented);
    } else {
        for (const FieldDifference& d : differences) {
            out << DescribeDifference(d).c_str() << "\n";
        }
        out << differences.size() << (differences.size() == 1 ? " value differs" : " values differ")
            << "\n";
    }
    return differences.empty() ? kExitOk : kExitFailed;
}
}  // namespace

int RunPmxCommand(const QStringList& args) {
    if (args.isEmpty()) {
        return UsageError("pmx", "say what to do: default, show, check or diff");
    }
    if (args[0] == "default") {
        return WriteDefault(args.mid(1));
    }
    if (args[0] == "show") {
        return Show(args.mid(1));
    }
    if (args[0] == "check") {
        return Check(args.mid(1));
    }
    if (args[0] == "diff") {
        return Diff(args.mid(1));
    }
    return UsageError("pmx", "there is no pmx " + args[0]);
}
