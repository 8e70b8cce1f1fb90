#include "tests/support/tracerecorder.h"

#include <QLoggingCategory>
#include <QThread>

namespace {
CTraceRecorder* g_pTraceRecorder = nullptr;
const QString kAnalysisCategory = QStringLiteral("sonvela.capture.analysis");
}  // namespace

CTraceRecorder::CTraceRecorder(bool withAnalysis) {
    g_pTraceRecorder = this;
    m_previous = qInstallMessageHandler(&CTraceRecorder::Handler);
    if (withAnalysis) {
        QLoggingCategory::setFilterRules(QStringLiteral("sonvela.capture.analysis.debug=true"));
    }
}

CTraceRecorder::~CTraceRecorder() {
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(m_previous);
    g_pTraceRecorder = nullptr;
}

void CTraceRecorder::Handler(QtMsgType /*type*/, const QMessageLogContext& context,
                             const QString& text) {
    if (g_pTraceRecorder != nullptr) {
        g_pTraceRecorder->Add(context, text);
    }
}

void CTraceRecorder::Add(const QMessageLogContext& context, const QString& text) {
    const QString category = QString::fromLatin1(context.category);
    if (category == kAnalysisCategory && text.startsWith(QStringLiteral("Average for Bar#0 "))) {
        ++m_nStarted;
        if (m_nDelayMs > 0) {
            QThread::msleep(static_cast<unsigned long>(m_nDelayMs.load()));
        }
    }
    std::lock_guard lock(m_mutex);
    m_lines.push_back({category, text});
}

std::vector<TraceLine> CTraceRecorder::Lines() const {
    std::lock_guard lock(m_mutex);
    return m_lines;
}

std::vector<QString> CTraceRecorder::LinesOf(const QString& category) const {
    std::lock_guard lock(m_mutex);
    std::vector<QString> out;
    for (const TraceLine& line : m_lines) {
        if (line.category == category) {
            out.push_back(line.text);
        }
    }
    return out;
}

void CTraceRecorder::Clear() {
    std::lock_guard lock(m_mutex);
    m_lines.clear();
}
