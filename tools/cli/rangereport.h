// The report of a parameter file's range check, as `pmx check` and `restore` print it.
#pragma once

#include <QJsonObject>
#include <QString>
#include <QTextStream>
#include <vector>

#include "core/model/parametercheck.h"

// {"file": FILE, "clean": bool, "issues": [{"record", "item", "field", "value", "min", "max"}]}
QJsonObject RangeReportJson(const QString& file, const std::vector<RangeIssue>& issues);
// One summary line, then one line per field outside its range.
void PrintRangeReport(QTextStream& out, const QString& file, const std::vector<RangeIssue>& issues);
