#include "gui/controls/controlevent.h"

#include <QCoreApplication>
#include <QObject>
#include <QVariant>

CControlEvent::CControlEvent(int nMessage, int nControlId, int nValue)
    : QEvent(EventType()), m_nMessage(nMessage), m_nControlId(nControlId), m_nValue(nValue) {}

QEvent::Type CControlEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

const CControlEvent* CControlEvent::From(const QEvent* event) {
    if (event == nullptr || event->type() != EventType()) {
        return nullptr;
    }
    return static_cast<const CControlEvent*>(event);
}

void PostControlMessage(QObject* pReceiver, int nMessage, int nControlId, int nValue) {
    if (pReceiver != nullptr) {
        QCoreApplication::postEvent(pReceiver, new CControlEvent(nMessage, nControlId, nValue));
    }
}

void SendControlMessage(QObject* pReceiver, int nMessage, int nControlId, int nValue) {
    if (pReceiver != nullptr) {
        CControlEvent event(nMessage, nControlId, nValue);
        QCoreApplication::sendEvent(pReceiver, &event);
    }
}

namespace {
constexpr const char* kReportTargetProperty = "sonvelaReportTarget";
}  // namespace

void SetReportTarget(QObject* pControl, QObject* pTarget) {
    pControl->setProperty(kReportTargetProperty, QVariant::fromValue(pTarget));
}

QObject* ReportTarget(const QObject* pControl) {
    const QVariant target = pControl->property(kReportTargetProperty);
    if (target.isValid()) {
        return target.value<QObject*>();
    }
    return pControl->parent();
}
