// sonvela-cli: the TQ640V editor's command-line tool.
#include <QCoreApplication>
#include <QMap>
#include <QTextStream>

#include "clicommands.h"
#include "core/common/labeltable.h"

namespace {
void PrintUsage(QTextStream& out) {
    out << "usage: sonvela-cli COMMAND [ARGS]\n"
           "\n"
           "commands:\n"
           "  tables [--json]   the unit's value scales and both languages of the label table\n"
           "  pmx default -o FILE       write the parameter file of a fresh model\n"
           "  pmx show FILE [--json]    decode every record and band record of a parameter file\n"
           "  response [--file FILE] --channel NAME [--record K]\n"
           "                    361 lines 'index Hz dB' of a channel's summed (or one record's)\n"
           "                    response; NAME "
           "music|mic|effect|main0|main1|center0|center1|sub0|sub1\n"
           "\n"
           "device commands, with [--tcp HOST[:PORT] | --serial PORT | --usb] (none: search all)\n"
           "and [--password XXXX] [--json]; exit 3 no unit, 4 refused, 5 locked, 6 link lost:\n"
           "  probe                  find the unit and print the link that answered\n"
           "  dump                   read back and print every record and the device image\n"
           "  backup -o FILE.pmx     read back and save the parameter file\n"
           "  restore FILE.pmx       upload a parameter file and wait for the confirmation\n"
           "  set REC.FIELD=VALUE... change fields (names as in dump --json)\n"
           "  recall-mode N          recall stored mode N (1-7) and read it back\n"
           "  save-mode N NAME       store the current settings as mode N (1-7)\n"
           "  soak SECONDS [--seed N] random edits, mode stores and recalls and uploads for\n"
           "                         SECONDS, then the unit's memory compared with the model\n";
}
}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    LoadLabelTable(kLanguageEnglish);

    QStringList args = QCoreApplication::arguments().mid(1);
    QTextStream err(stderr);
    if (args.isEmpty() || args.front() == "--help" || args.front() == "-h") {
        QTextStream out(stdout);
        PrintUsage(args.isEmpty() ? err : out);
        return args.isEmpty() ? kExitUsage : kExitOk;
    }
    const QString command = args.takeFirst();
    if (command == "tables") {
        return RunTablesCommand(args);
    }
    if (command == "pmx") {
        return RunPmxCommand(args);
    }
    if (command == "response") {
        return RunResponseCommand(args);
    }
    const QMap<QString, int (*)(const QStringList&)> deviceCommands{
        {"probe", RunProbeCommand},
        {"dump", RunDumpCommand},
        {"backup", RunBackupCommand},
        {"restore", RunRestoreCommand},
        {"set", RunSetCommand},
        {"recall-mode", RunRecallModeCommand},
        {"save-mode", RunSaveModeCommand},
        {"soak", RunSoakCommand},
    };
    if (deviceCommands.contains(command)) {
        return deviceCommands[command](args);
    }
    err << "sonvela-cli: unknown command '" << command << "'\n";
    PrintUsage(err);
    return kExitUsage;
}
