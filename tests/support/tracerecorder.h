// Keeps the messages of the capture side's logging categories for the scope of a test (from
// any thread), and can hold the analysis thread inside its trace output for a while.
#pragma once

#include <QString>
#include <QtGlobal>
#include <atomic>
#include <mutex>
#include <vector>

struct TraceLine {
    QString category;
    QString text;
};

class CTraceRecorder {
public:
    // Also switches the per-window analysis trace on when `withAnalysis`.
    explicit CTraceRecorder(bool withAnalysis = false);
    ~CTraceRecorder();
    CTraceRecorder(const CTraceRecorder&) = delete;
    CTraceRecorder& operator=(const CTraceRecorder&) = delete;

    std::vector<TraceLine> Lines() const;
    std::vector<QString> LinesOf(const QString& category) const;
    void Clear();

    // The analysis thread sleeps this long at the first trace line of every window.
    void SetAnalysisDelayMs(int ms) { m_nDelayMs = ms; }
    // Windows whose trace has begun.
    int AnalysesStarted() const { return m_nStarted; }

private:
    static void Handler(QtMsgType type, const QMessageLogContext& context, const QString& text);
    void Add(const QMessageLogContext& context, const QString& text);

    mutable std::mutex m_mutex;
    std::vector<TraceLine> m_lines;
    std::atomic<int> m_nDelayMs{0};
    std::atomic<int> m_nStarted{0};
    QtMessageHandler m_previous;
};
