// The commands of sonvela-cli. Each takes the arguments after its name and returns the
// process exit code.
#pragma once

#include <QStringList>

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFailed = 1;

int RunTablesCommand(const QStringList& args);
int RunPmxCommand(const QStringList& args);
int RunResponseCommand(const QStringList& args);
// Device commands (a unit over USB, a serial port or TCP).
int RunProbeCommand(const QStringList& args);
int RunDumpCommand(const QStringList& args);
int RunBackupCommand(const QStringList& args);
int RunRestoreCommand(const QStringList& args);
int RunSetCommand(const QStringList& args);
int RunRecallModeCommand(const QStringList& args);
int RunSaveModeCommand(const QStringList& args);
int RunSoakCommand(const QStringList& args);
// Every unit of a block of addresses (venuecommands.cpp).
int RunScanCommand(const QStringList& args);
int RunBackupAll(const QStringList& args);
int RunRestoreAll(const QStringList& args);
