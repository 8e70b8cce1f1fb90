// What every device command of sonvela-cli shares: the link options (--tcp HOST[:PORT],
// --serial PORT, --usb, none = the full search), --password and --json; a model and its
// connection to the unit (CUnitConnection, as the editor has them); connecting with progress on
// stderr; and waiting for the unit. Failures print one line and map to a distinct exit code.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "link/connectsearch.h"

class CAudioData;
class CCommand;
class CLinkController;
struct CLinkState;

// Exit codes of the device commands beyond the common ones.
inline constexpr int kExitNoUnit = 3;
inline constexpr int kExitRefused = 4;
inline constexpr int kExitLocked = 5;
inline constexpr int kExitLinkLost = 6;

struct DeviceOptions {
    SearchPlan plan;
    QString password;
    bool bJson = false;
    QStringList rest;  // the command's own arguments
    QString error;     // non-empty: the options were wrong
};

// Splits the common options from the command's own arguments.
DeviceOptions ParseDeviceOptions(const QStringList& args);

class CDeviceSession {
public:
    explicit CDeviceSession(const DeviceOptions& options);
    ~CDeviceSession();
    CDeviceSession(const CDeviceSession&) = delete;
    CDeviceSession& operator=(const CDeviceSession&) = delete;

    CAudioData& Model();
    CCommand& Command();
    CLinkController& Controller();
    CLinkState& State();
    // The link that answered: "usb", "serial PORT" or "tcp HOST:PORT".
    QString LinkDescription() const;

    // Finds the unit, reads its whole state back and checks the panel lock (the password must
    // match when it is locked). kExitOk or the failure's exit code, its line printed. Without
    // `readBack` it returns once the unit has answered.
    int Connect(bool readBack = true);
    // The same without waiting and without progress lines: `done` runs once, from the event
    // loop, with kExitOk or the failure's exit code and line (not printed).
    using ConnectDone = std::function<void(int code, const QString& failure)>;
    void BeginConnect(bool readBack, ConnectDone done);
    // Runs the event loop until `done` holds; kExitLinkLost (printed) when the link drops first.
    int WaitFor(const std::function<bool()>& done);
    // Waits until every changed field has been sent and acknowledged.
    int WaitForChangesDelivered();

private:
    void FinishConnect(int code, const QString& failure);
    void CheckLock(bool locked);

    struct Objects;
    std::unique_ptr<Objects> m_p;
    DeviceOptions m_options;
    bool m_bVerbose = false;
};

// Prints the failure line on stderr and returns the code.
int Fail(int code, const QString& line);
