#include "gui/settings/pmxfolder.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/model/pmxfile.h"

namespace {
QString ModeBelow(const QString& parent) {
    return QDir(parent).filePath(QString::fromLatin1(kLibraryFolderName));
}

// Whether `folder` exists, or can be made, and takes a new file.
bool TakesFiles(const QString& folder) {
    if (!QDir().mkpath(folder)) {
        return false;
    }
    const QString probe = QDir(folder).filePath(QStringLiteral("probe.pmx"));
    return CheckParameterFileWritable(QFile::encodeName(probe).toStdString()).ok;
}

// A folder of the user's own: owned by the user the program runs as, who is not the
// superuser (who can write into the system's folders too).
bool OwnedByTheUser(const QString& folder) {
    const QFileInfo info(folder);
    return ::geteuid() != 0 && info.isDir() && info.ownerId() == ::geteuid();
}
}  // namespace

QString ChooseLibraryFolder(const QString& executableFolder, const QString& dataFolder) {
    if (!executableFolder.isEmpty()) {
        const QString beside = ModeBelow(executableFolder);
        const bool bExists = QFileInfo(beside).isDir();
        if ((bExists || OwnedByTheUser(executableFolder)) && TakesFiles(beside)) {
            return beside;
        }
    }
    if (!dataFolder.isEmpty() && TakesFiles(ModeBelow(dataFolder))) {
        return ModeBelow(dataFolder);
    }
    return {};
}

QString ParameterLibraryFolder() {
    return ChooseLibraryFolder(QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}
