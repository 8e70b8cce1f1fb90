#include "link/reconnector.h"

#include <QTimer>
#include <algorithm>
#include <array>
#include <utility>

namespace {
constexpr std::array<int, 4> kFirstDelaysMs = {1000, 2000, 4000, 8000};
constexpr int kLaterDelayMs = 10000;
}  // namespace

int ReconnectDelayMs(int attempt) {
    const int i = std::max(attempt, 1) - 1;
    return i < static_cast<int>(kFirstDelaysMs.size()) ? kFirstDelaysMs[static_cast<std::size_t>(i)]
                                                       : kLaterDelayMs;
}

SearchPlan ReconnectPlan(const SearchPlan& plan, LinkKind link, const QString& port) {
    SearchPlan one = plan;
    one.bUsb = link == LinkKind::Usb;
    one.bSerial = link == LinkKind::Serial;
    one.bNetwork = link == LinkKind::Network;
    one.portNames = link == LinkKind::Serial ? QStringList{port} : QStringList{};
    one.netConnectLimitMs = kReconnectConnectLimitMs;
    one.bSingleTry = true;
    return one;
}

CReconnector::CReconnector(CLinkState& state, CConnectSearch& search,
                           std::function<void(const SearchPlan&)> startSearch, QObject* parent)
    : QObject(parent),
      m_state(state),
      m_search(search),
      m_startSearch(std::move(startSearch)),
      m_pTimer(new QTimer(this)) {
    m_pTimer->setSingleShot(true);
    connect(m_pTimer, &QTimer::timeout, this, &CReconnector::TryNow);
    connect(&m_search, &CConnectSearch::Finished, this, &CReconnector::OnSearchFinished);
}

void CReconnector::SetEnabled(bool bEnabled) {
    m_bEnabled = bEnabled;
    if (!bEnabled) {
        Stop();
    }
}

void CReconnector::OnSearchFinished(SearchResult result) {
    if (result == SearchResult::Connected) {
        // Whoever started it, this is now the link to come back to.
        const QStringList& ports = m_search.PortNames();
        const int index = m_search.PortIndex();
        const QString port = index >= 0 && index < ports.size() ? ports[index] : QString();
        m_plan = ReconnectPlan(m_search.Plan(), m_state.linkKind, port);
        const bool wasActive = m_bActive;
        m_bActive = m_bTrying = m_bUsbArrived = false;
        m_attempt = 0;
        m_lastFailure.clear();
        if (wasActive) {
            emit Changed();
        }
        return;
    }
    if (!m_bTrying) {
        return;
    }
    m_bTrying = false;
    const QStringList& failures = m_search.Failures();
    m_lastFailure = failures.isEmpty() ? QStringLiteral("the unit did not answer")
                                       : failures.join(QStringLiteral("; "));
    emit Changed();
    if (std::exchange(m_bUsbArrived, false)) {
        // The device came back while this try was failing: the next one goes at once.
        TryNow();
        return;
    }
    ScheduleNext();
}

void CReconnector::OnLinkLost(bool byUser) {
    if (byUser || !m_bEnabled || !m_plan) {
        Stop();
        return;
    }
    m_bActive = true;
    m_attempt = 0;
    m_lastFailure.clear();
    ScheduleNext();
    emit Changed();
}

void CReconnector::Stop() {
    m_pTimer->stop();
    const bool wasActive = m_bActive;
    m_bActive = m_bTrying = m_bUsbArrived = false;
    m_attempt = 0;
    if (wasActive) {
        emit Changed();
    }
}

void CReconnector::OnUsbDeviceReady() {
    if (!m_bActive || !m_plan || !m_plan->bUsb) {
        return;
    }
    if (m_bTrying) {
        m_bUsbArrived = true;
        return;
    }
    m_pTimer->stop();
    TryNow();
}

void CReconnector::ScheduleNext() {
    m_pTimer->start(ReconnectDelayMs(m_attempt + 1));
}

void CReconnector::TryNow() {
    if (!m_bActive || !m_plan || m_state.connected == 1) {
        return;
    }
    if (m_search.IsRunning()) {
        // Another search (the user's) is under way: look again later.
        ScheduleNext();
        return;
    }
    ++m_attempt;
    m_bTrying = true;
    emit Changed();
    m_startSearch(*m_plan);
}
