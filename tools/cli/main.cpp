// sonvela-cli: the TQ640V editor's command-line tool.
#include <QCoreApplication>
#include <QTextStream>

#include "app/labeltable.h"
#include "clicommands.h"

namespace {
void PrintUsage(QTextStream& out) {
    out << "usage: sonvela-cli COMMAND [ARGS]\n"
           "\n"
           "commands:\n"
           "  tables [--json]   the unit's value scales and both languages of the label table\n";
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
    err << "sonvela-cli: unknown command '" << command << "'\n";
    PrintUsage(err);
    return kExitUsage;
}
