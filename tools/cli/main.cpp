// sonvela-cli: the TQ640V editor's command-line tool.
#include <QCoreApplication>
#include <QTextStream>

#include "clicommands.h"
#include "clihelp.h"
#include "core/common/labeltable.h"

namespace {
bool IsHelpOption(const QString& arg) {
    return arg == "--help" || arg == "-h";
}
}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    LoadLabelTable(kLanguageEnglish);

    QStringList args = QCoreApplication::arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.isEmpty()) {
        PrintOverview(err);
        return kExitUsage;
    }
    const QString first = args.takeFirst();
    if (first == "--version") {
        PrintVersion(out);
        return kExitOk;
    }
    if (IsHelpOption(first) || (first == "help" && args.isEmpty())) {
        PrintOverview(out);
        return kExitOk;
    }
    if (first == "help") {
        const CliCommand* command = FindCommand(args.front());
        if (command == nullptr) {
            err << "sonvela-cli: there is no command '" << args.front()
                << "'; sonvela-cli help lists them\n";
            return kExitUsage;
        }
        PrintCommandHelp(out, *command);
        return kExitOk;
    }
    const CliCommand* command = FindCommand(first);
    if (command == nullptr) {
        err << "sonvela-cli: there is no command '" << first << "'; sonvela-cli help lists them\n";
        return kExitUsage;
    }
    if (std::any_of(args.begin(), args.end(), IsHelpOption)) {
        PrintCommandHelp(out, *command);
        return kExitOk;
    }
    return command->run(args);
}
