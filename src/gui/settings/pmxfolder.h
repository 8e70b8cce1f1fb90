// Where the parameter-file library lives: the folder "Mode" beside the executable when a file
// can be written there and the executable sits in a folder of the user's own (a copy unpacked
// anywhere) or "Mode" is already there; otherwise "Mode" in the user's data folder. An installed
// program (in a system folder) never writes beside itself, even when run by the superuser. The
// folder is created when it is missing.
#pragma once

#include <QString>

inline constexpr const char* kLibraryFolderName = "Mode";

// The library folder for an executable in `executableFolder` and the user's data folder
// `dataFolder`, as above. Empty when neither takes a file.
QString ChooseLibraryFolder(const QString& executableFolder, const QString& dataFolder);
// The library folder of this program (QCoreApplication::applicationDirPath and
// QStandardPaths::AppDataLocation).
QString ParameterLibraryFolder();
