#include "capture/capturesettings.h"

#include <QSettings>

namespace {
const QString kRefreshKey = QStringLiteral("spectrum/refresh");
const QString kPerBuffer = QStringLiteral("buffer");
const QString kLive = QStringLiteral("live");
}  // namespace

RefreshMode LoadRefreshMode() {
    const QSettings settings(kSettingsOrganisation, kSettingsApplication);
    return LoadRefreshMode(settings);
}

void SaveRefreshMode(RefreshMode mode) {
    QSettings settings(kSettingsOrganisation, kSettingsApplication);
    SaveRefreshMode(settings, mode);
}

RefreshMode LoadRefreshMode(const QSettings& settings) {
    return settings.value(kRefreshKey).toString() == kLive ? RefreshMode::Live
                                                           : RefreshMode::PerBuffer;
}

void SaveRefreshMode(QSettings& settings, RefreshMode mode) {
    settings.setValue(kRefreshKey, mode == RefreshMode::Live ? kLive : kPerBuffer);
}
