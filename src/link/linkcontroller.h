// The link half of the editor's main window, without any window: it hands the winning link of
// a search to the command engine (ConnectBy), runs the link's timer that paces the engine,
// completes the connection when the read-back ends, and ends links (the disconnect routines),
// also when the unit's USB device is unplugged. It is the engine's message sink.
#pragma once

#include <QObject>
#include <QStringList>

#include "core/protocol/linkinterfaces.h"
#include "core/protocol/linkstate.h"

class CCommand;
class CClientSocket;
class CHidDevice;
class CHotplugMonitor;
class IConnectionModel;
class QTimer;

class CLinkController : public QObject, public ICommandSink {
    Q_OBJECT
public:
    CLinkController(CLinkState& state, IConnectionModel& model, CClientSocket& socket,
                    CHidDevice& hidDevice, QObject* parent = nullptr);
    ~CLinkController() override;
    CLinkController(const CLinkController&) = delete;
    CLinkController& operator=(const CLinkController&) = delete;

    // The engine is built with this controller as its sink, so it is attached afterwards.
    void SetCommand(CCommand* pCommand) { m_pCommand = pCommand; }

    // The serial port names the search found; ConnectBy(n) opens entry n.
    void SetPortNames(const QStringList& names) { m_portNames = names; }

    // Takes over the acknowledged link: 1000 USB, 1001 network, 0..9 serial port n. Nothing
    // happens unless the unit has acknowledged.
    void ConnectBy(int index);
    // Recall stored mode `mode` (0-based) and read the whole state back. The busy display it
    // starts (BusyStarted) ends with the read-back (ReadBackCompleted) or the link (LinkLost);
    // its own time-out is no shorter than the slowest the queued frames can take.
    void LoadMode(int mode);
    // Send the whole model (after a parameter file was loaded into it).
    void UploadModel();
    // A band was dragged on the curve view: while connected its change leaves at once
    // (kSendDragsImmediately) instead of at the next tick.
    void OnCurveDragged();
    // Many fields were set at once by the editor itself (undo, redo, A/B, kept edits): the
    // first leaves now, and until nothing is pending each frame taken from the model at a tick
    // leaves at that tick instead of the next.
    void SendPendingPromptly();
    // Bytes from the unit were handed to the engine: in the prompt sending above, the next
    // pending frame leaves as soon as the last one was acknowledged.
    void AfterReceive();

    void DisconnectSerial();
    void DisconnectNetwork();
    void DisconnectUsb();
    // The disconnect routine of the link in use.
    void DisconnectCurrent();

    // Watches HID devices come and go (the editor does; a one-shot command does not need to).
    // Without a monitor the user is told "RegisterDeviceNotification failed" and the program
    // goes on without hot-plug handling.
    bool StartHotplugMonitor();

    // Hot-plug events of HID devices.
    void OnHidArrived(const QString& deviceNode);
    void OnHidRemoved(const QString& deviceNode);

    // ICommandSink.
    void SendMessage(int message, int wParam) override;
    void PostMessage(int message, int wParam) override;
    void DisconnectLink(LinkKind link) override;

signals:
    // The read-back of a connection or a mode recall has ended; `locked`: the panel is locked.
    void ReadBackCompleted(bool locked);
    // The upload has been confirmed by the unit's volumes.
    void VolumesConfirmed();
    // The unit reported a music key other than the one last shown.
    void KeyReported(int value);
    // A link was ended (time-outs, unplug, request).
    void LinkLost(LinkKind link);
    // A read-back or upload began: show the busy display until it ends; autoCloseMs > 0 is a
    // safety time-out after which the display closes even if it has not.
    void BusyStarted(int autoCloseMs);
    // The unit's USB device arrived and was opened while no link was up.
    void UsbDeviceOpened();

private:
    void ResetAfterDisconnect(LinkKind link);
    int SafetyCloseMs() const;

    CLinkState& m_state;
    IConnectionModel& m_model;
    CClientSocket& m_socket;
    CHidDevice& m_hidDevice;
    CCommand* m_pCommand = nullptr;
    QStringList m_portNames;
    QTimer* m_pTimers[kLinkKinds] = {};
    CHotplugMonitor* m_pHotplug = nullptr;
    bool m_bPrompt = false;
};
