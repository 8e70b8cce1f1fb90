#include "clihelp.h"

#include <algorithm>

#include "clicommands.h"

namespace {
constexpr const char* kLinkOptions =
    "link options (none: search USB, then every serial port, then the network):\n"
    "  --tcp HOST[:PORT]   the unit's network module (port 8899 when not given)\n"
    "  --serial PORT       a serial port, for example /dev/ttyUSB0\n"
    "  --usb               the unit on USB\n"
    "  --password XXXX     the 4-character panel password of a locked unit\n"
    "  --paced             read at the link's tick pace (16 ms a request) instead of sending\n"
    "                      each read request as soon as the one before has been answered\n"
    "  --json              print the result as JSON\n";

constexpr const char* kExitCodes =
    "exit codes:\n"
    "  0  done\n"
    "  1  a file could not be read or written, or a parameter file has values outside the\n"
    "     ranges the pages allow\n"
    "  2  wrong usage: an unknown command, option or value\n"
    "  3  no unit: nothing answered, or the link could not be opened (the line says why)\n"
    "  4  the unit refused the connection\n"
    "  5  the unit's panel is locked and the password is missing or wrong\n"
    "  6  the link to the unit was lost\n";

const CliCommand kCommands[] = {
    {"tables", RunTablesCommand, "sonvela-cli tables [--json]",
     "A summary of the unit's value scales; with --json every table and both languages of the\n"
     "label table.\n",
     false},
    {"pmx", RunPmxCommand,
     "sonvela-cli pmx default -o FILE [--json]\n"
     "sonvela-cli pmx show FILE [--json]\n"
     "sonvela-cli pmx check FILE [--json]\n"
     "sonvela-cli pmx diff A B [--json]",
     "default  writes the parameter file of a fresh model\n"
     "show     prints every record, field and band record of a parameter file\n"
     "check    checks every field against the range its page allows and lists the ones\n"
     "         outside (record, field, value, allowed range); exit 0 when the file is clean,\n"
     "         1 otherwise\n"
     "diff     lists every field whose value differs between two parameter files (record,\n"
     "         band, field, A's value, B's value); exit 0 when they are the same, 1 otherwise\n",
     false},
    {"response", RunResponseCommand,
     "sonvela-cli response [--file FILE] --channel NAME [--record K] [--json]",
     "The 361-point response of a channel's band set (or of its record K), from a fresh model\n"
     "or a parameter file, as lines 'index Hz dB'. NAME is music, mic, effect, main0, main1,\n"
     "center0, center1, sub0 or sub1.\n",
     false},
    {"scan", RunScanCommand, "sonvela-cli scan [CIDR... | --local] [--port N] [--json]",
     "Looks for units on every address of a block (for example 192.168.1.0/24; a /16 at\n"
     "most): connects to the unit port (8899, or --port) of many addresses at once, sends\n"
     "the handshake and takes each address that answers it as a unit. Without a block, or\n"
     "with --local, the /24 of each IPv4 address of this machine is scanned. Each unit is\n"
     "read back and listed with its address, its panel lock and the names of its seven\n"
     "modes: 'ADDRESS  panel unlocked  modes \"Pop\", ...'. Exit 3 when no unit answered.\n",
     false},
    {"probe", RunProbeCommand, "sonvela-cli probe [link options]",
     "Finds the unit and prints the link that answered.\n", true},
    {"dump", RunDumpCommand, "sonvela-cli dump [--show-password] [link options]",
     "Reads the unit's whole state back and prints every record's fields and the device\n"
     "image. The panel password is shown as **** unless --show-password is given.\n",
     true},
    {"backup", RunBackupCommand,
     "sonvela-cli backup -o FILE.pmx [link options]\n"
     "sonvela-cli backup --all DIR [CIDR... | --local] [--port N] [--password XXXX] [--json]",
     "Reads the unit's state back and saves it as a parameter file. Whether FILE.pmx can be\n"
     "written is checked before the unit is read.\n"
     "With --all every unit that scan finds is read back, several at once, and saved as\n"
     "DIR/ADDRESS.pmx; one line per unit says what was saved or why that unit failed.\n"
     "The exit code is 0 when every unit was saved, else the code of the first unit (in\n"
     "address order) that failed.\n",
     true},
    {"restore", RunRestoreCommand,
     "sonvela-cli restore FILE.pmx [--force] [link options]\n"
     "sonvela-cli restore --all FILE.pmx [CIDR... | --local] [--port N] [--force]\n"
     "                    [--password XXXX] [--json]",
     "Uploads a parameter file and waits for the unit's confirmation. The file is checked\n"
     "first (as pmx check does): a file with values outside their ranges is refused with\n"
     "exit 1 and nothing is sent; with --force it is sent with those values clamped.\n"
     "With --all the file is checked once and uploaded to every unit that scan finds,\n"
     "several at once; --password unlocks the units whose panel is locked. One line per unit\n"
     "says whether it was restored or why it failed. The exit code is 0 when every unit was\n"
     "restored, else the code of the first unit (in address order) that failed.\n",
     true},
    {"set", RunSetCommand, "sonvela-cli set RECORD.FIELD=VALUE... [link options]",
     "Changes fields through the model and waits until the unit has acknowledged them.\n"
     "Records and fields are named as dump --json names them, e.g. music.m_nInput=2.\n",
     true},
    {"recall-mode", RunRecallModeCommand, "sonvela-cli recall-mode N [link options]",
     "Recalls the unit's stored mode N (1 to 7) and reads its state back.\n", true},
    {"save-mode", RunSaveModeCommand, "sonvela-cli save-mode N NAME [link options]",
     "Stores the unit's current settings as mode N (1 to 7) named NAME (at most 20\n"
     "characters).\n",
     true},
    {"soak", RunSoakCommand, "sonvela-cli soak SECONDS [--seed N] [link options]",
     "Random edits, mode stores and recalls and uploads for SECONDS, each waited for as the\n"
     "editor would, then the unit's whole memory read back and compared with the model word\n"
     "for word; exit 1 when they differ.\n",
     true},
};

void PrintSynopsis(QTextStream& out, const CliCommand& command) {
    const QStringList lines = QString::fromLatin1(command.synopsis).split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        out << (i == 0 ? "usage: " : "       ") << lines[i] << "\n";
    }
}
}  // namespace

std::span<const CliCommand> CliCommands() {
    return kCommands;
}

const CliCommand* FindCommand(const QString& name) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [&name](const CliCommand& c) { return name == c.name; });
    return it == std::end(kCommands) ? nullptr : it;
}

void PrintOverview(QTextStream& out) {
    out << "usage: sonvela-cli COMMAND [ARGS]\n"
           "       sonvela-cli help [COMMAND] | COMMAND --help | --version\n"
           "\n"
           "The TQ640V editor's command-line tool.\n"
           "\n"
           "commands:\n";
    for (const CliCommand& command : kCommands) {
        for (const QString& line : QString::fromLatin1(command.synopsis).split('\n')) {
            out << "  " << line.mid(QStringLiteral("sonvela-cli ").size()) << "\n";
        }
    }
    out << "\n" << kLinkOptions << "\n" << kExitCodes;
}

void PrintCommandHelp(QTextStream& out, const CliCommand& command) {
    PrintSynopsis(out, command);
    out << "\n" << command.details;
    if (command.device) {
        out << "\n" << kLinkOptions;
    }
    out << "\n" << kExitCodes;
}

void PrintVersion(QTextStream& out) {
    out << "sonvela-cli " << SONVELA_VERSION << "\n";
}

int UsageError(const char* command, const QString& problem) {
    QTextStream err(stderr);
    err << "sonvela-cli " << command << ": " << problem << "\n";
    if (const CliCommand* c = FindCommand(QString::fromLatin1(command))) {
        PrintSynopsis(err, *c);
    }
    err << "(sonvela-cli help " << command << " tells more)\n";
    return kExitUsage;
}
