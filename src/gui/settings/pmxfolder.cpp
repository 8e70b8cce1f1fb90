#include "gui/settings/pmxfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "core/model/pmxfile.h"

namespace {
// The folder "Mode" below `parent`, made when missing, when a new file can be written in it.
bool UsableFolder(const QString& parent, QString& folder) {
    if (parent.isEmpty()) {
        return false;
    }
    const QString candidate = QDir(parent).filePath(QString::fromLatin1(kLibraryFolderName));
    if (!QDir().mkpath(candidate)) {
        return false;
    }
    const QString probe = QDir(candidate).filePath(QStringLiteral("probe.pmx"));
    if (!CheckParameterFileWritable(QFile::encodeName(probe).toStdString()).ok) {
        return false;
    }
    folder = candidate;
    return true;
}
}  // namespace

QString ChooseLibraryFolder(const QString& executableFolder, const QString& dataFolder) {
    QString folder;
    if (UsableFolder(executableFolder, folder) || UsableFolder(dataFolder, folder)) {
        return folder;
    }
    return {};
}

QString ParameterLibraryFolder() {
    return ChooseLibraryFolder(QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}
