// What `restore` and `restore --all` share: the parameter file read and checked once before
// anything is sent, and the upload of it to one connected unit.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class CDeviceSession;

struct RestoreFile {
    QString path;
    std::vector<std::uint8_t> bytes;
    int clamped = 0;  // fields outside their ranges, sent clamped
};

// Reads and checks the file; a file with values outside their ranges is refused unless
// `force`. kExitOk, or the failure's code with its lines printed.
int ReadRestoreFile(const QString& file, bool force, RestoreFile& restore);

// Uploads the file through the session's model; `done` runs once, with kExitOk when the unit
// confirmed the volumes, or kExitLinkLost and the line.
void BeginUpload(CDeviceSession& session, const RestoreFile& restore,
                 std::function<void(int code, const QString& failure)> done);
