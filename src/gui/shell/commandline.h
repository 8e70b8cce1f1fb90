// The editor's command line: sonvela [--tcp HOST[:PORT] | --serial PORT] [--paced]
// [--lang en|zh], --help, --version. With --tcp or --serial the search tries only that link, with
// the address or port used as given; without either it tries USB, the serial ports and the network.
#pragma once

#include <QString>
#include <QStringList>

#include "link/connectsearch.h"

// Exit code of a bad command line.
inline constexpr int kExitUsage = 2;
// Exit code of a start refused because another instance runs.
inline constexpr int kExitAlreadyRunning = 1;

struct SAppOptions {
    bool bHelp = false;
    bool bVersion = false;
    int language = 1;  // label table language: 0 Chinese, 1 English
    SearchPlan plan;   // what the connect action searches
    QString error;     // non-empty: the command line was wrong
};

// Parses the arguments after the program name.
SAppOptions ParseCommandLine(const QStringList& args);
QString UsageText();
QString VersionText();
