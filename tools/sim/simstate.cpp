#include "simstate.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <functional>

#include "simunit.h"

namespace {
QJsonArray WordsToJson(std::span<const std::int16_t> words) {
    QJsonArray array;
    for (std::int16_t w : words) {
        array.append(w);
    }
    return array;
}

// Every word must be present and fit a signed 16-bit word.
bool JsonToWords(const QJsonValue& value, std::span<std::int16_t> words) {
    const QJsonArray array = value.toArray();
    if (array.size() != static_cast<qsizetype>(words.size())) {
        return false;
    }
    for (qsizetype i = 0; i < array.size(); ++i) {
        const double v = array[i].toDouble(1e9);
        if (v < -32768 || v > 32767 || v != static_cast<int>(v)) {
            return false;
        }
    }
    for (qsizetype i = 0; i < array.size(); ++i) {
        words[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(array[i].toInt());
    }
    return true;
}

QJsonArray BlocksToJson(const std::function<std::span<const std::int16_t>(int)>& block) {
    QJsonArray blocks;
    for (int ch = 0; ch < kBlockChannels; ++ch) {
        blocks.append(WordsToJson(block(ch)));
    }
    return blocks;
}
}  // namespace

bool SaveSimState(const CSimUnit& sim, const QString& path, QString& error) {
    QJsonObject root;
    root["blocks"] = BlocksToJson([&](int ch) { return sim.Block(ch); });
    QJsonArray modes;
    for (int m = 0; m < kModeCount; ++m) {
        modes.append(BlocksToJson([&](int ch) { return sim.StoredBlock(m, ch); }));
    }
    root["modes"] = modes;
    const auto system = sim.SystemBlock();
    root["system"] = QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(system.data()), static_cast<int>(system.size()))
            .toHex(' '));
    const auto name = sim.BluetoothName();
    root["bluetoothName"] = QString::fromLatin1(reinterpret_cast<const char*>(name.data()),
                                                static_cast<qsizetype>(name.size()));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(root).toJson()) < 0 ||
        !file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool LoadSimState(CSimUnit& sim, const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    const QJsonObject root = doc.object();
    CSimUnit loaded;
    bool ok = parseError.error == QJsonParseError::NoError && doc.isObject();
    const QJsonArray blocks = root["blocks"].toArray();
    const QJsonArray modes = root["modes"].toArray();
    ok = ok && blocks.size() == kBlockChannels && modes.size() == kModeCount;
    for (int ch = 0; ok && ch < kBlockChannels; ++ch) {
        ok = JsonToWords(blocks[ch], loaded.Block(ch));
        for (int m = 0; ok && m < kModeCount; ++m) {
            ok = JsonToWords(modes[m].toArray()[ch], loaded.StoredBlock(m, ch));
        }
    }
    const QByteArray system = QByteArray::fromHex(root["system"].toString().toLatin1());
    ok = ok && system.size() == kSystemBlockBytes;
    if (!ok) {
        error = QStringLiteral("%1 does not describe a unit").arg(path);
        return false;
    }
    for (int ch = 0; ch < kBlockChannels; ++ch) {
        std::ranges::copy(loaded.Block(ch), sim.Block(ch).begin());
        for (int m = 0; m < kModeCount; ++m) {
            std::ranges::copy(loaded.StoredBlock(m, ch), sim.StoredBlock(m, ch).begin());
        }
    }
    std::copy(system.begin(), system.end(), sim.SystemBlock().begin());
    const QByteArray name = root["bluetoothName"].toString().toLatin1();
    sim.SetBluetoothName(std::span(reinterpret_cast<const std::uint8_t*>(name.data()),
                                   static_cast<std::size_t>(name.size())));
    return true;
}
