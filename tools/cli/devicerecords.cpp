#include "devicerecords.h"

#include <QJsonArray>

#include "core/common/utilities.h"
#include "core/model/audiodata.h"

namespace {
constexpr char kMaskCharacter = '*';
}  // namespace

QList<QPair<QString, CParamRecord*>> NamedRecords(CAudioData& model) {
    return {
        {"music", &model.Music()},       {"mic", &model.Mic()},
        {"effect", &model.Echo()},       {"mainOut0", &model.MainOut(0)},
        {"mainOut1", &model.MainOut(1)}, {"center0", &model.Center(0)},
        {"center1", &model.Center(1)},   {"sub0", &model.Sub(0)},
        {"sub1", &model.Sub(1)},         {"toneLimits", &model.ToneLimits()},
        {"volume", &model.Volume()},     {"system", &model.System()},
    };
}

QJsonObject StateToJson(CAudioData& model, bool showPassword) {
    QJsonObject records;
    for (const auto& [name, pRecord] : NamedRecords(model)) {
        QJsonObject fields;
        for (int i = 0; i < pRecord->FieldCount(); ++i) {
            fields.insert(QString::fromLatin1(pRecord->Fields()[i].name), pRecord->Get(i));
        }
        records.insert(name, fields);
    }
    const DeviceImage& image = model.Image();
    QJsonArray channels;
    for (int ch = 0; ch <= kChVolume; ++ch) {
        QJsonArray words;
        for (std::int16_t w : image.Words(ch)) {
            words.append(w);
        }
        channels.append(words);
    }
    QJsonArray modeNames;
    for (int mode = 0; mode < kModeCount; ++mode) {
        modeNames.append(
            QString::fromStdString(BytesToString(image.ModeName(mode), kModeNameLength)));
    }
    QJsonArray systemBytes;
    for (std::size_t i = 0; i < image.system.size(); ++i) {
        const bool hidden = !showPassword && i >= kSysPasswordByte &&
                            i < static_cast<std::size_t>(kSysPasswordByte + kPasswordLength);
        systemBytes.append(hidden ? kMaskCharacter : image.system[i]);
    }
    const QString password =
        showPassword ? QString::fromStdString(BytesToString(image.Password(), kPasswordLength))
                     : QString(kPasswordLength, QChar(kMaskCharacter));
    const QJsonObject system{
        {"mode", image.SystemWord(0)},
        {"modeNames", modeNames},
        {"outputAuto", image.SystemWord(kSysOutAutoWord)},
        {"outputScene", image.SystemWord(kSysOutSceneWord)},
        {"panelLock", image.SystemWord(kSysPanelLockWord)},
        {"password", password},
        {"bytes", systemBytes},
    };
    return {{"records", records},
            {"image", QJsonObject{{"channels", channels}, {"system", system}}}};
}

bool SetNamedField(CAudioData& model, const QString& assignment, QString* pError) {
    const qsizetype equals = assignment.indexOf('=');
    const qsizetype dot = assignment.indexOf('.');
    if (equals < 0 || dot < 0 || dot > equals) {
        *pError = "write RECORD.FIELD=VALUE, not " + assignment;
        return false;
    }
    const QString recordName = assignment.left(dot);
    const QString fieldName = assignment.mid(dot + 1, equals - dot - 1);
    bool ok = false;
    const int value = assignment.mid(equals + 1).toInt(&ok);
    if (!ok || value < -32768 || value > 32767) {
        *pError = "the value in " + assignment + " is not a whole number from -32768 to 32767";
        return false;
    }
    for (const auto& [name, pRecord] : NamedRecords(model)) {
        if (name != recordName) {
            continue;
        }
        for (int i = 0; i < pRecord->FieldCount(); ++i) {
            if (fieldName == QLatin1String(pRecord->Fields()[i].name)) {
                pRecord->Set(i, static_cast<std::int16_t>(value));
                return true;
            }
        }
    }
    *pError =
        "there is no field " + recordName + "." + fieldName + " (dump --json shows the names)";
    return false;
}
