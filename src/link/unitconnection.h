// The one place where a connection to the unit is put together: the link state, the command
// engine, the three transports (serial port, TCP socket, USB device), the link controller that
// paces the engine and completes connections, the search that finds the unit, and the adapter
// through which the engine and the controller reach the parameter model. Every transport hands
// what it receives to the engine's one entry point, CCommand::OnReceived. The editor, the
// command-line tool, the tests and the benchmarks all connect through this.
//
// Everything runs on the thread that creates the connection; the USB device's I/O thread only
// hands reports over to it.
#pragma once

#include <QObject>
#include <memory>

#include "core/protocol/linkstate.h"
#include "link/connectsearch.h"
#include "link/hidbackend.h"

class CAudioData;
class CAudioDataAdapter;
class CClientSocket;
class CCommand;
class CHidDevice;
class CLinkController;
class CReconnector;
class CSerialLink;
class CSerialPort;
class ICommandModel;
class IConnectionModel;

class CUnitConnection : public QObject {
    Q_OBJECT
public:
    // The editor's connection on its one model. `hidBackend` reaches HID devices (hidapi by
    // default; tests give a simulated device).
    explicit CUnitConnection(CAudioData& model,
                             std::unique_ptr<IHidBackend> hidBackend = MakeHidapiBackend(),
                             QObject* parent = nullptr);
    // The same wiring on stand-ins for the model's two sides.
    CUnitConnection(ICommandModel& commandModel, IConnectionModel& connectionModel,
                    std::unique_ptr<IHidBackend> hidBackend, QObject* parent = nullptr);
    ~CUnitConnection() override;
    CUnitConnection(const CUnitConnection&) = delete;
    CUnitConnection& operator=(const CUnitConnection&) = delete;

    CLinkState& State();
    CCommand& Command();
    CLinkController& Controller();
    CConnectSearch& Search();
    CSerialPort& SerialPort();
    CClientSocket& Socket();
    CHidDevice& HidDevice();
    // The model's adapter; null when the connection was built on stand-ins.
    CAudioDataAdapter* ModelAdapter();
    // Brings a lost link back (on unless switched off).
    CReconnector& Reconnector();

    // The user ends the link in use: no reconnect follows.
    void UserDisconnect();

    // Opens the unit's USB device and starts its reader: the start-up rule, which makes the
    // next search begin with USB. False when the device cannot be opened.
    bool OpenUsb();
    // Starts a search: with USB first when the unit's USB device is open and read.
    void StartSearch(const SearchPlan& plan);

private:
    struct Parts;
    void Wire(ICommandModel& commandModel, IConnectionModel& connectionModel,
              std::unique_ptr<IHidBackend> hidBackend);

    CLinkState m_state;
    std::unique_ptr<CAudioDataAdapter> m_pAdapter;
    std::unique_ptr<Parts> m_p;
    bool m_bUserDisconnect = false;
};
