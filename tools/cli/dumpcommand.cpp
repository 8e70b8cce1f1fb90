// `sonvela-cli dump [--json] [--show-password]`: reads the unit's whole state back and prints
// every record's fields and the device image, the panel password masked unless asked for.
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

#include "clicommands.h"
#include "clihelp.h"
#include "devicerecords.h"
#include "devicesession.h"

namespace {
QString ValueText(const QJsonValue& value) {
    if (value.isString()) {
        return '"' + value.toString() + '"';
    }
    if (value.isArray()) {
        QStringList items;
        for (const QJsonValue& item : value.toArray()) {
            items << ValueText(item);
        }
        return items.join(' ');
    }
    return QString::number(value.toInteger());
}

void PrintText(const QJsonObject& state, QTextStream& out) {
    const QJsonObject records = state["records"].toObject();
    for (auto record = records.begin(); record != records.end(); ++record) {
        const QJsonObject fields = record.value().toObject();
        for (auto field = fields.begin(); field != fields.end(); ++field) {
            out << record.key() << "." << field.key() << " = " << ValueText(field.value()) << "\n";
        }
    }
    const QJsonObject image = state["image"].toObject();
    const QJsonArray channels = image["channels"].toArray();
    for (qsizetype ch = 0; ch < channels.size(); ++ch) {
        out << "image.channel" << ch << " = " << ValueText(channels[ch]) << "\n";
    }
    const QJsonObject system = image["system"].toObject();
    for (auto field = system.begin(); field != system.end(); ++field) {
        out << "image.system." << field.key() << " = " << ValueText(field.value()) << "\n";
    }
}
}  // namespace

int RunDumpCommand(const QStringList& args) {
    const DeviceOptions options = ParseDeviceOptions(args);
    if (!options.error.isEmpty()) {
        return UsageError("dump", options.error);
    }
    QStringList rest = options.rest;
    const bool showPassword = rest.removeAll("--show-password") > 0;
    if (!rest.isEmpty()) {
        return UsageError("dump", "unexpected argument " + rest.front());
    }
    CDeviceSession session(options);
    const int result = session.Connect();
    if (result != kExitOk) {
        return result;
    }
    const QJsonObject state = StateToJson(session.Model(), showPassword);
    QTextStream out(stdout);
    if (options.bJson) {
        out << QJsonDocument(state).toJson();
    } else {
        PrintText(state, out);
    }
    return kExitOk;
}
