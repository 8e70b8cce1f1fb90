// The editor runs once per user: a lock file named after the unit (TQ640V) in the user's
// runtime folder. A lock left behind by a crashed instance is recognised as stale (its process
// is gone) and taken over.
#pragma once

#include <QString>
#include <memory>

class QLockFile;

inline constexpr const char* kInstanceLockName = "TQ640V";

class CSingleInstance {
public:
    // folder: where the lock lives; empty means the user's runtime folder.
    explicit CSingleInstance(const QString& folder = QString());
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // True when this process now holds the lock (also when the lock file cannot be created at
    // all: then the program runs without the protection). False when another instance runs.
    bool Acquire();
    QString LockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_pLock;
};
