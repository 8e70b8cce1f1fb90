// sonvela-cli as a person meets it without a unit: help, version, usage mistakes, the exit
// codes it promises, and the file commands.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include "tests/support/processrun.h"

namespace {
constexpr int kTimeoutMs = 20000;

struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
};

CliResult Cli(const QStringList& args) {
    const ProcessRun run = RunProcess(SONVELA_CLI_PATH, args, kTimeoutMs);
    return {run.exitCode, QString::fromUtf8(run.out), QString::fromUtf8(run.err)};
}

const QStringList kCommands = {"tables", "pmx",     "response", "scan",        "probe",     "dump",
                               "backup", "restore", "set",      "recall-mode", "save-mode", "soak"};
const QStringList kDeviceCommands = {"probe", "dump",        "backup",    "restore",
                                     "set",   "recall-mode", "save-mode", "soak"};

// The exit codes a help text lists, from its lines "  N  meaning".
QSet<int> ListedExitCodes(const QString& help) {
    QSet<int> codes;
    static const QRegularExpression line(QStringLiteral("^  (\\d)  \\S"),
                                         QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(help); it.hasNext();)
        codes.insert(it.next().captured(1).toInt());
    return codes;
}

TEST(CliHelp, OverviewVersionAndEveryCommandsHelp) {
    const QSet<int> allCodes = {0, 1, 2, 3, 4, 5, 6};
    for (const QStringList& args : {QStringList{"help"}, {"--help"}, {"-h"}}) {
        const CliResult run = Cli(args);
        EXPECT_EQ(run.exitCode, 0) << args.join(' ').toStdString();
        EXPECT_EQ(ListedExitCodes(run.out), allCodes);
        for (const QString& command : kCommands)
            EXPECT_TRUE(run.out.contains("\n  " + command + " ")) << command.toStdString();
    }
    const CliResult bare = Cli({});
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_TRUE(bare.out.isEmpty());
    EXPECT_TRUE(bare.err.startsWith("usage: sonvela-cli COMMAND"));

    const CliResult version = Cli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(
        QRegularExpression("^sonvela-cli \\d+\\.\\d+\\.\\d+\\n$").match(version.out).hasMatch())
        << version.out.toStdString();

    for (const QString& command : kCommands) {
        const std::string name = command.toStdString();
        const CliResult help = Cli({"help", command});
        EXPECT_EQ(help.exitCode, 0) << name;
        EXPECT_TRUE(help.out.startsWith("usage: sonvela-cli " + command)) << name;
        EXPECT_EQ(help.out.contains("--tcp HOST[:PORT]"), kDeviceCommands.contains(command))
            << name;
        // The same text after the command, wherever --help stands; nothing is run.
        const CliResult option = Cli({command, "x", "--help"});
        EXPECT_EQ(option.exitCode, 0) << name;
        EXPECT_EQ(option.out, help.out) << name;
        EXPECT_EQ(ListedExitCodes(help.out), allCodes) << name;
    }
}

// Mistakes say what is wrong in a person's words, exit 2 and never reach a unit (none of these
// has a link option, so any attempt would search).
TEST(CliHelp, UsageMistakes) {
    const struct {
        QStringList args;
        const char* says;
    } cases[] = {
        {{"bogus"}, "there is no command 'bogus'"},
        {{"help", "bogus"}, "there is no command 'bogus'"},
        {{"save-mode", "2", "a name of twenty-one!"}, "the mode name is longer than 20 characters"},
        {{"save-mode", "8", "x"}, "the mode number is 1 to 7, not 8"},
        {{"recall-mode", "0"}, "the mode number is 1 to 7, not 0"},
        {{"dump", "--password", "123"}, "the panel password has 4 characters, not 3"},
        {{"probe", "--tcp", "127.0.0.1:70000"}, "is not a number from 1 to 65535"},
        {{"probe", "--tcp", "127.0.0.1", "--usb"}, "give at most one of --tcp, --serial and --usb"},
        {{"set", "music.m_nNothing=1"}, "there is no field music.m_nNothing"},
        {{"set", "music.m_nInput=40000"}, "is not a whole number from -32768 to 32767"},
        {{"response", "--channel", "main3"}, "there is no channel main3"},
        {{"response", "--channel", "music", "--record", "7"}, "channel music has records 0 to 6"},
        {{"pmx", "show"}, "pmx show takes one FILE"},
        {{"tables", "--xml"}, "unexpected argument --xml"},
        // A scan of addresses checks its block and its other arguments before it sends anything.
        {{"scan", "10.0.0.0/8"}, "'10.0.0.0/8' is wider than a /16"},
        {{"scan", "10.0.0.300/24"}, "is not an IPv4 address or block like"},
        {{"scan", "--local", "127.0.0.0/30"}, "give either address blocks or --local"},
        {{"scan", "127.0.0.0/30", "--port", "0"}, "--port takes a number from 1 to 65535"},
        {{"scan", "127.0.0.0/30", "--password", "3958"}, "scan reads a locked unit without"},
        {{"backup", "--all", "127.0.0.0/30"}, "give the folder the files go to"},
        {{"backup", "--all", "out", "--tcp", "127.0.0.1"}, "--tcp does not go with a scan"},
        {{"restore", "--all", "a.pmx", "b.pmx", "127.0.0.0/30"}, "give one parameter file"},
    };
    for (const auto& c : cases) {
        const CliResult run = Cli(c.args);
        EXPECT_EQ(run.exitCode, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.says)) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains("search")) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains("scanning")) << run.err.toStdString();
    }
}

TEST(CliFiles, CheckCleanAndTextFiles) {
    QTemporaryDir dir;
    const QString clean = dir.filePath("clean.pmx");
    const CliResult made = Cli({"pmx", "default", "-o", clean, "--json"});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(made.out.toUtf8())["saved"].toString(), clean);

    const CliResult ok = Cli({"pmx", "check", clean});
    EXPECT_EQ(ok.exitCode, 0);
    EXPECT_EQ(ok.out, clean + ": every field is within the range its page allows\n");

    QFile text(dir.filePath("notes.pmx"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    QByteArray words = "# So the story goes: a parameter file is not a text file. ";
    while (words.size() < 4060)
        words += words;
    text.write(words.left(4100));  // bytes past the layout are not looked at
    text.close();
    const CliResult bad = Cli({"pmx", "check", text.fileName()});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.out.contains("\n  music: m_nKeyShift = 28499 (allowed 0 to 14)\n"));
    const CliResult json = Cli({"pmx", "check", text.fileName(), "--json"});
    EXPECT_EQ(json.exitCode, 1);
    const QJsonObject report = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_FALSE(report["clean"].toBool());
    const QJsonObject key = report["issues"].toArray()[1].toObject();
    EXPECT_EQ(key["record"].toString(), "music");
    EXPECT_EQ(key["field"].toString(), "m_nKeyShift");
    EXPECT_EQ(key["value"].toInt(), 28499);
    EXPECT_EQ(key["max"].toInt(), 14);

    // The differences between two files, per record and field; exit 1 when there are any.
    const CliResult same = Cli({"pmx", "diff", clean, clean});
    EXPECT_EQ(same.exitCode, 0);
    EXPECT_EQ(same.out, "0 values differ\n");
    const CliResult differ = Cli({"pmx", "diff", clean, text.fileName(), "--json"});
    EXPECT_EQ(differ.exitCode, 1);
    const QJsonObject diff = QJsonDocument::fromJson(differ.out.toUtf8()).object();
    const QJsonArray differences = diff["differences"].toArray();
    EXPECT_EQ(diff["count"].toInt(), differences.size());
    const auto keyShift =
        std::find_if(differences.begin(), differences.end(), [](const QJsonValue& v) {
            return v.toObject()["record"].toString() == "music" &&
                   v.toObject()["field"].toString() == "m_nKeyShift";
        });
    ASSERT_NE(keyShift, differences.end());
    EXPECT_EQ((*keyShift).toObject()["b"].toInt(), 28499);
    EXPECT_EQ(Cli({"pmx", "diff", clean}).exitCode, 2);

    // Not a parameter file at all: a short file, a folder, and a device read at most 4061
    // bytes from.
    for (const QString& path : {dir.filePath("none.pmx"), dir.path()})
        EXPECT_EQ(Cli({"pmx", "check", path}).exitCode, 1) << path.toStdString();
    EXPECT_EQ(Cli({"pmx", "show", "/dev/zero"}).exitCode, 0);

    const CliResult response = Cli({"response", "--file", clean, "--channel", "sub1", "--json"});
    ASSERT_EQ(response.exitCode, 0) << response.err.toStdString();
    const QJsonArray points = QJsonDocument::fromJson(response.out.toUtf8())["points"].toArray();
    ASSERT_EQ(points.size(), 361);
    EXPECT_EQ(points[360].toObject()["hz"].toDouble(), 20000.0);
}
}  // namespace
