#include "gui/shell/startupnotify.h"

#include <QGuiApplication>
#include <QTextStream>

bool IsHeadlessPlatform() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

QString HeadlessMessageLine(const QString& text, const QString& caption) {
    QString line = QStringLiteral("sonvela: ");
    if (!caption.isEmpty()) {
        line += caption + QStringLiteral(": ");
    }
    // One message, one line: the box's line breaks become spaces.
    line += QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line + QLatin1Char('\n');
}

void CStartupNotify::ShowMessage(const std::string& text, const std::string& caption) {
    if (!IsHeadlessPlatform()) {
        m_box.ShowMessage(text, caption);
        return;
    }
    m_bFailed = true;
    QTextStream(stderr) << HeadlessMessageLine(QString::fromStdString(text),
                                               QString::fromStdString(caption));
}
