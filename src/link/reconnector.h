// Brings a lost link back: after a link loss that the user did not ask for, the link that was
// in use is tried again after 1, 2, 4 and 8 s and then every 10 s, each time by a search of
// that link alone (the same USB device, serial port or network address). The unit's USB device
// arriving again is tried at once. The user's own disconnect, or a search the user starts,
// ends the retries. Each failed try keeps what went wrong, as the search reports it.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "core/protocol/linkstate.h"
#include "link/connectsearch.h"

class QTimer;

// Delay before try n (1-based): 1, 2, 4, 8 s, then 10 s.
int ReconnectDelayMs(int attempt);
// The plan of a try: the link `link` of the connected search `plan` alone (serial: `port`).
SearchPlan ReconnectPlan(const SearchPlan& plan, LinkKind link, const QString& port);

// How long a reconnect try gives a network connect (a unit that listens again answers at
// once; one that does not is tried again later anyway).
inline constexpr int kReconnectConnectLimitMs = 1000;

class CReconnector : public QObject {
    Q_OBJECT
public:
    // startSearch starts a search with a plan (and knows whether the USB device is open).
    CReconnector(CLinkState& state, CConnectSearch& search,
                 std::function<void(const SearchPlan&)> startSearch, QObject* parent = nullptr);

    // On by default.
    void SetEnabled(bool bEnabled);
    bool Enabled() const { return m_bEnabled; }

    // A link was lost; `byUser`: the user ended it (no retries follow).
    void OnLinkLost(bool byUser);
    // The user started a search, or ended the link: no further tries.
    void Stop();
    // The unit's USB device is open again: a USB link waiting for its try is tried at once.
    void OnUsbDeviceReady();

    // Retries are running (waiting or trying).
    bool Active() const { return m_bActive; }
    // The try running or last made (1-based); 0 before the first.
    int Attempt() const { return m_attempt; }
    // What went wrong on the last failed try; empty when none failed yet.
    const QString& LastFailure() const { return m_lastFailure; }

signals:
    // Tries started or ended, a try began or failed.
    void Changed();

private:
    void OnSearchFinished(SearchResult result);
    void TryNow();
    void ScheduleNext();

    CLinkState& m_state;
    CConnectSearch& m_search;
    std::function<void(const SearchPlan&)> m_startSearch;
    QTimer* m_pTimer;
    std::optional<SearchPlan> m_plan;  // the link to come back to
    QString m_lastFailure;
    int m_attempt = 0;
    bool m_bEnabled = true;
    bool m_bActive = false;
    bool m_bTrying = false;
    bool m_bUsbArrived = false;  // the USB device came back during a try
};
