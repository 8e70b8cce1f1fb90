// `sonvela-cli response [--file FILE] --channel NAME [--record K] [--json]`: the 361-point
// response of a channel's band set (or of one record of it), from a fresh model or a parameter
// file, as lines "index frequencyHz dB" or as JSON.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "clicommands.h"
#include "clihelp.h"
#include "core/dsp/filterresponse.h"
#include "core/model/audiodata.h"
#include "core/model/conversiontool.h"
#include "core/model/pmxfile.h"

namespace {
const QStringList kChannelNames = {"music",   "mic",     "effect", "main0", "main1",
                                   "center0", "center1", "sub0",   "sub1"};
}  // namespace

int RunResponseCommand(const QStringList& args) {
    QString file;
    int channel = -1;
    int record = -1;
    bool json = false;
    for (int i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--json") {
            json = true;
        } else if ((args[i] == "--file" || args[i] == "--channel" || args[i] == "--record") &&
                   !hasValue) {
            return UsageError("response", args[i] + " needs a value");
        } else if (args[i] == "--file") {
            file = args[++i];
        } else if (args[i] == "--channel") {
            channel = static_cast<int>(kChannelNames.indexOf(args[++i]));
            if (channel < 0) {
                return UsageError("response", "there is no channel " + args[i] +
                                                  "; the channels are " + kChannelNames.join(", "));
            }
        } else if (args[i] == "--record") {
            bool ok = false;
            record = args[++i].toInt(&ok);
            if (!ok || record < 0) {
                return UsageError("response", "the record is a number from 0, not " + args[i]);
            }
        } else {
            return UsageError("response", "unexpected argument " + args[i]);
        }
    }
    if (channel < 0) {
        return UsageError("response", "say which channel with --channel NAME");
    }
    CAudioData data;
    if (!file.isEmpty()) {
        const PmxResult result = LoadParameterFile(data, file.toStdString());
        if (!result.ok) {
            QTextStream(stderr) << "sonvela-cli response: " << result.error.c_str() << "\n";
            return kExitFailed;
        }
    }
    CEQ& eq = data.EqRecordOfChannel(channel)->GetEQ();
    if (record >= eq.GetCount()) {
        return UsageError("response", QStringLiteral("channel %1 has records 0 to %2")
                                          .arg(kChannelNames[channel])
                                          .arg(eq.GetCount() - 1));
    }
    const auto& response = record >= 0 ? eq.GetAt(record).Response() : eq.SumResponse();
    QTextStream out(stdout);
    if (json) {
        QJsonArray points;
        for (int i = 0; i < kFreqCount; ++i) {
            points.append(QJsonObject{{"index", i},
                                      {"hz", ResponseGridHz(i)},
                                      {"db", response[static_cast<std::size_t>(i)]}});
        }
        QJsonObject document{{"channel", kChannelNames[channel]}, {"points", points}};
        if (record >= 0) {
            document.insert("record", record);
        }
        out << QJsonDocument(document).toJson();
        return kExitOk;
    }
    for (int i = 0; i < kFreqCount; ++i) {
        out << i << " " << QString::number(ResponseGridHz(i)) << " "
            << FormatFixed(response[static_cast<std::size_t>(i)], 6).c_str() << "\n";
    }
    return kExitOk;
}
