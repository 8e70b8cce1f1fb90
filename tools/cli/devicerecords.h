// The model's records by the names the device commands use ("music", "mainOut1", …), and the
// whole state as JSON: every record's fields and the device image.
#pragma once

#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>

class CAudioData;
class CParamRecord;

QList<QPair<QString, CParamRecord*>> NamedRecords(CAudioData& model);

// {"records": {name: {field: value}}, "image": {"channels": [[words] x 11], "system": {...}}}
// The panel password is shown as "****" (and its bytes as '*') unless `showPassword`.
QJsonObject StateToJson(CAudioData& model, bool showPassword);

// Sets "record.Field" to value through the record's setter. false with a reason when the name
// is unknown or the value does not fit a 16-bit word.
bool SetNamedField(CAudioData& model, const QString& assignment, QString* pError);
