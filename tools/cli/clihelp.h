// What sonvela-cli tells a person about itself: the commands with their usage and help, the
// exit codes, the version, and the one way every command reports a usage mistake.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <span>

struct CliCommand {
    const char* name;
    int (*run)(const QStringList& args);
    const char* synopsis;  // one or more lines "sonvela-cli NAME ..." without "usage: "
    const char* details;   // what it does, its own options and what it prints
    bool device;           // talks to a unit: the link options and exit codes 3-6 apply
};

std::span<const CliCommand> CliCommands();
const CliCommand* FindCommand(const QString& name);

// The overview: every command, the link options and the exit codes.
void PrintOverview(QTextStream& out);
void PrintCommandHelp(QTextStream& out, const CliCommand& command);
void PrintVersion(QTextStream& out);
// "sonvela-cli COMMAND: problem", the command's usage and where its help is; kExitUsage.
int UsageError(const char* command, const QString& problem);
