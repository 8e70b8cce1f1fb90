// How a control reports to its parent: one event type for every control and message.
//
// PostControlMessage queues the event; it arrives after the handler that raised it returns
// (the slider's messages). SendControlMessage delivers it before returning (the command of a
// number box, a spin or a button). A parent receives both in QObject::customEvent:
//
//     void CMyPage::customEvent(QEvent* event) {
//         if (const auto* msg = CControlEvent::From(event)) {
//             switch (msg->Message()) { case MSG_SLIDER_CHANGED: ...; }
//         }
//     }
#pragma once

#include <QEvent>

#include "gui/controls/controlmessages.h"

class QObject;

class CControlEvent : public QEvent {
public:
    CControlEvent(int nMessage, int nControlId, int nValue);

    static QEvent::Type EventType();
    // The control event behind event, or null for any other event.
    static const CControlEvent* From(const QEvent* event);

    int Message() const { return m_nMessage; }
    int ControlId() const { return m_nControlId; }
    int Value() const { return m_nValue; }

private:
    int m_nMessage;
    int m_nControlId;
    int m_nValue;
};

// Where a control's reports go: the page that bound it (SetReportTarget), wherever the control
// sits (inside a group box or a container); a control nobody bound reports to its parent.
void SetReportTarget(QObject* pControl, QObject* pTarget);
QObject* ReportTarget(const QObject* pControl);

// Both do nothing without a receiver (a control that has no parent).
void PostControlMessage(QObject* pReceiver, int nMessage, int nControlId, int nValue);
void SendControlMessage(QObject* pReceiver, int nMessage, int nControlId, int nValue);
