// `sonvela-cli tables [--json]`: every value scale and both languages of the label table.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <span>

#include "clicommands.h"
#include "clihelp.h"
#include "core/common/labeltable.h"
#include "core/model/conversiontool.h"
#include "core/model/datadefine.h"

namespace {
QJsonArray ToJson(std::span<const double> table) {
    QJsonArray array;
    for (double v : table) {
        array.append(v);
    }
    return array;
}

QJsonArray ToJson(const LabelTable& table) {
    QJsonArray groups;
    for (const auto& group : table) {
        QJsonArray texts;
        for (const std::string& text : group) {
            texts.append(QString::fromStdString(text));
        }
        groups.append(texts);
    }
    return groups;
}

QJsonObject TablesDocument() {
    QJsonObject scales;
    QJsonArray gain;
    for (int i = 0; i <= kGainMaxIndex; ++i) {
        gain.append(GainIndexToDb(i));
    }
    QJsonArray key;
    for (int i = 0; i <= 2 * kKeyShiftOffset; ++i) {
        key.append(i - kKeyShiftOffset);
    }
    QJsonObject tables{
        {"kFreqTable", ToJson(kFreqTable)},
        {"kQTable", ToJson(kQTable)},
        {"kSlopeTable", ToJson(kSlopeTable)},
        {"kXoverQTable", ToJson(kXoverQTable)},
        {"kRatioTable", ToJson(kRatioTable)},
        {"kEchoADelayTable", ToJson(kEchoADelayTable)},
        {"GainIndexToDb", gain},
        {"KeyShift", key},
    };
    QJsonObject labels{
        {"english", ToJson(LanguageTable(kLanguageEnglish))},
        {"chinese", ToJson(LanguageTable(kLanguageChinese))},
    };
    return QJsonObject{{"tables", tables}, {"labels", labels}};
}

void PrintSummary(QTextStream& out) {
    out << "Frequency grid: " << kFreqCount << " points, "
        << FormatTableReal(0, kFreqTable, "Hz").c_str() << " to "
        << FormatTableReal(kFreqMaxIndex, kFreqTable, "Hz").c_str() << "\n";
    out << "Gain: index 0 = " << FormatOffsetReal(0, kGainOffsetDb, kGainStepDb, "dB").c_str()
        << ", " << kGainZeroIndex << " = "
        << FormatOffsetReal(kGainZeroIndex, kGainOffsetDb, kGainStepDb, "dB").c_str() << ", "
        << kGainMaxIndex << " = "
        << FormatOffsetReal(kGainMaxIndex, kGainOffsetDb, kGainStepDb, "dB").c_str() << "\n";
    out << "Q: " << kQCount << " entries, shelf slope: " << kSlopeCount
        << ", crossover Q: " << kXoverQCount << ", ratio: " << kRatioCount
        << ", echo A delay: " << kEchoADelayCount << "\n";
    out << "Labels: " << kLabelGroups << " groups of " << kLabelSlots
        << " slots in Chinese and English\n";
    out << "Use --json for every value.\n";
}
}  // namespace

int RunTablesCommand(const QStringList& args) {
    QTextStream out(stdout);
    if (args.contains("--json")) {
        out << QJsonDocument(TablesDocument()).toJson(QJsonDocument::Indented);
        return kExitOk;
    }
    if (!args.isEmpty()) {
        return UsageError("tables", "unexpected argument " + args.front());
    }
    PrintSummary(out);
    return kExitOk;
}
