#include "gui/shell/commandline.h"

#include "core/common/labeltable.h"

namespace {
// HOST or HOST:PORT; false when the port is not 1..65535.
bool ParseTcp(const QString& value, SearchPlan& plan) {
    const qsizetype colon = value.lastIndexOf(':');
    plan.address = colon > 0 ? value.left(colon) : value;
    if (plan.address.isEmpty()) {
        return false;
    }
    if (colon > 0) {
        bool ok = false;
        const uint port = value.mid(colon + 1).toUInt(&ok);
        if (!ok || port == 0 || port > 65535) {
            return false;
        }
        plan.tcpPort = static_cast<quint16>(port);
    }
    return true;
}
}  // namespace

SAppOptions ParseCommandLine(const QStringList& args) {
    SAppOptions options;
    int linkOptions = 0;
    for (int i = 0; i < args.size() && options.error.isEmpty(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--help" || arg == "-h") {
            options.bHelp = true;
        } else if (arg == "--version") {
            options.bVersion = true;
        } else if (arg == "--paced") {
            options.plan.bPaced = true;
        } else if ((arg == "--tcp" || arg == "--serial" || arg == "--lang") && !hasValue) {
            options.error = arg + " needs a value";
        } else if (arg == "--tcp") {
            ++linkOptions;
            const QString value = args[++i];
            if (!ParseTcp(value, options.plan)) {
                options.error = "bad address in --tcp " + value;
            }
            options.plan.bUsb = options.plan.bSerial = false;
        } else if (arg == "--serial") {
            ++linkOptions;
            options.plan.portNames = {args[++i]};
            options.plan.bUsb = options.plan.bNetwork = false;
        } else if (arg == "--lang") {
            const QString value = args[++i];
            if (value == "en") {
                options.language = kLanguageEnglish;
            } else if (value == "zh") {
                options.language = kLanguageChinese;
            } else {
                options.error = "unknown language " + value + " (en or zh)";
            }
        } else {
            options.error = "unknown option " + arg;
        }
    }
    if (options.error.isEmpty() && linkOptions > 1) {
        options.error = "give at most one of --tcp and --serial";
    }
    return options;
}

QString UsageText() {
    return QStringLiteral(
        "usage: sonvela [--tcp HOST[:PORT] | --serial PORT] [--paced] [--lang en|zh]\n"
        "       sonvela --help | --version\n"
        "\n"
        "The editor of the TQ640V. Without a link option it searches the unit over USB,\n"
        "the serial ports and the network, one second after start.\n"
        "\n"
        "  --tcp HOST[:PORT]  connect only over the network, to HOST (port 8899 by default)\n"
        "  --serial PORT      connect only over this serial port (ttyUSB0 or /dev/ttyUSB0)\n"
        "  --paced            read the unit at the link's tick pace (16 ms a request)\n"
        "  --lang en|zh       interface language (English by default)\n"
        "  --help             show this text\n"
        "  --version          show the version\n");
}

QString VersionText() {
    return QStringLiteral("sonvela " SONVELA_VERSION "\n");
}
