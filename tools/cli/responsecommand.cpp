// `sonvela-cli response [--file FILE] --channel NAME [--record K]`: the 361-point response of
// a channel's band set (or of one record of it), from a fresh model or a parameter file, as
// lines "index frequencyHz dB".
#include <QTextStream>

#include "clicommands.h"
#include "core/dsp/filterresponse.h"
#include "core/model/audiodata.h"
#include "core/model/conversiontool.h"
#include "core/model/pmxfile.h"

namespace {
constexpr const char* kUsage =
    "usage: sonvela-cli response [--file FILE] "
    "--channel music|mic|effect|main0|main1|center0|center1|sub0|sub1 [--record K]\n";

int Usage() {
    QTextStream(stderr) << kUsage;
    return kExitUsage;
}

int ChannelNumber(const QString& name) {
    const QStringList names = {"music",   "mic",     "effect", "main0", "main1",
                               "center0", "center1", "sub0",   "sub1"};
    return static_cast<int>(names.indexOf(name));
}
}  // namespace

int RunResponseCommand(const QStringList& args) {
    QString file;
    int channel = -1;
    int record = -1;
    for (int i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--file" && hasValue) {
            file = args[++i];
        } else if (args[i] == "--channel" && hasValue) {
            channel = ChannelNumber(args[++i]);
            if (channel < 0) {
                return Usage();
            }
        } else if (args[i] == "--record" && hasValue) {
            bool ok = false;
            record = args[++i].toInt(&ok);
            if (!ok || record < 0) {
                return Usage();
            }
        } else {
            return Usage();
        }
    }
    if (channel < 0) {
        return Usage();
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
        QTextStream(stderr) << "sonvela-cli response: record " << record << " out of 0-"
                            << eq.GetCount() - 1 << "\n";
        return kExitUsage;
    }
    const auto& response = record >= 0 ? eq.GetAt(record).Response() : eq.SumResponse();
    QTextStream out(stdout);
    for (int i = 0; i < kFreqCount; ++i) {
        out << i << " " << QString::number(ResponseGridHz(i)) << " "
            << FormatFixed(response[static_cast<std::size_t>(i)], 6).c_str() << "\n";
    }
    return kExitOk;
}
