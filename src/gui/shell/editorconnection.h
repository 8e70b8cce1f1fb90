// Every object of the editor's connection wired in one place: the link state, the model's
// adapters, the three transports, the link controller and the command engine. The window
// reaches them through the accessors and owns none of them.
#pragma once

#include <memory>

#include "link/hidbackend.h"

class CAudioData;
class CAudioDataConnection;
class CAudioDataCommandModel;
class CClientSocket;
class CCommand;
class CHidDevice;
class CLinkController;
class CSerialLink;
class CSerialPort;
struct CLinkState;

class CEditorConnection {
public:
    // hidBackend: the USB backend (hidapi unless a test gives its own).
    CEditorConnection(CAudioData& model, std::unique_ptr<IHidBackend> hidBackend);
    ~CEditorConnection();
    CEditorConnection(const CEditorConnection&) = delete;
    CEditorConnection& operator=(const CEditorConnection&) = delete;

    CLinkState& State() { return *m_pState; }
    CAudioData& Model() { return m_model; }
    CAudioDataConnection& ModelConnection() { return *m_pConnection; }
    CSerialPort& SerialPort() { return *m_pSerialPort; }
    CClientSocket& Socket() { return *m_pSocket; }
    CHidDevice& Hid() { return *m_pHid; }
    CLinkController& Controller() { return *m_pController; }
    CCommand& Command() { return *m_pCommand; }

private:
    // Declared in construction order; destroyed the other way round, the engine first.
    CAudioData& m_model;
    std::unique_ptr<CLinkState> m_pState;
    std::unique_ptr<CAudioDataCommandModel> m_pCommandModel;
    std::unique_ptr<CAudioDataConnection> m_pConnection;
    std::unique_ptr<CSerialPort> m_pSerialPort;
    std::unique_ptr<CSerialLink> m_pSerialLink;
    std::unique_ptr<CClientSocket> m_pSocket;
    std::unique_ptr<CHidDevice> m_pHid;
    std::unique_ptr<CLinkController> m_pController;
    std::unique_ptr<CCommand> m_pCommand;
};
