// Diagnostic output of the capture side. "sonvela.capture" carries the recorder's trace lines;
// "sonvela.capture.analysis" carries the per-window value averages, off unless enabled with
// QT_LOGGING_RULES="sonvela.capture.analysis.debug=true" (over thirty windows a second would flood
// the output).
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcCapture)
Q_DECLARE_LOGGING_CATEGORY(lcCaptureAnalysis)
