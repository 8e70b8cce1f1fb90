#include "capture/capturelog.h"

Q_LOGGING_CATEGORY(lcCapture, "sonvela.capture")
Q_LOGGING_CATEGORY(lcCaptureAnalysis, "sonvela.capture.analysis", QtInfoMsg)
