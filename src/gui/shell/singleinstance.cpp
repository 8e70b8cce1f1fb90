#include "gui/shell/singleinstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include "core/common/usernotify.h"

CSingleInstance::CSingleInstance(const QString& folder) {
    QString dir = folder;
    if (dir.isEmpty()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    m_path = QDir(dir).filePath(QString::fromLatin1(kInstanceLockName) + ".lock");
    m_pLock = std::make_unique<QLockFile>(m_path);
    // Age never makes the lock stale: only a lock whose process is gone is.
    m_pLock->setStaleLockTime(0);
}

CSingleInstance::~CSingleInstance() = default;

bool CSingleInstance::Acquire() {
    if (m_pLock->isLocked() || m_pLock->tryLock(0)) {
        return true;
    }
    if (m_pLock->error() == QLockFile::LockFailedError) {
        return false;
    }
    DebugLine("the instance lock cannot be created: " + m_path.toStdString());
    return true;
}
