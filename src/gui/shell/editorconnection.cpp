#include "gui/shell/editorconnection.h"

#include "core/model/audiodata.h"
#include "core/protocol/command.h"
#include "core/protocol/readback.h"
#include "link/audiodataconnection.h"
#include "link/clientsocket.h"
#include "link/hiddevice.h"
#include "link/linkcontroller.h"
#include "link/seriallink.h"
#include "link/serialport.h"

CEditorConnection::CEditorConnection(CAudioData& model, std::unique_ptr<IHidBackend> hidBackend)
    : m_model(model),
      m_pState(std::make_unique<CLinkState>()),
      m_pCommandModel(std::make_unique<CAudioDataCommandModel>(model)),
      m_pConnection(std::make_unique<CAudioDataConnection>(model, *m_pState)),
      m_pSerialPort(std::make_unique<CSerialPort>()),
      m_pSerialLink(std::make_unique<CSerialLink>(*m_pSerialPort)),
      m_pSocket(std::make_unique<CClientSocket>()),
      m_pHid(std::make_unique<CHidDevice>(std::move(hidBackend))),
      m_pController(std::make_unique<CLinkController>(*m_pState, *m_pConnection, *m_pSerialPort,
                                                      *m_pSocket, m_pHid.get())),
      m_pCommand(
          std::make_unique<CCommand>(*m_pState, *m_pController, *m_pCommandModel, *m_pSerialLink)) {
    m_pController->SetCommand(m_pCommand.get());
}

CEditorConnection::~CEditorConnection() {
    // The controller must not tick an engine that is going away, nor the reader deliver.
    m_pController->SetCommand(nullptr);
    m_pHid->Close();
}
