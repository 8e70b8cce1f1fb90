// Where the parameter-file library lives: the folder "Mode" beside the executable when a file
// can be written there, otherwise "Mode" in the user's data folder. The folder is created when
// it is missing.
#pragma once

#include <QString>

inline constexpr const char* kLibraryFolderName = "Mode";

// The library folder for an executable in `executableFolder` and the user's data folder
// `dataFolder`: the first "Mode" below them that exists or can be made and takes a new file.
// Empty when neither does.
QString ChooseLibraryFolder(const QString& executableFolder, const QString& dataFolder);
// The library folder of this program (QCoreApplication::applicationDirPath and
// QStandardPaths::AppDataLocation).
QString ParameterLibraryFolder();
