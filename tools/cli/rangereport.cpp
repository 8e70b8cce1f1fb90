#include "rangereport.h"

#include <QJsonArray>

QJsonObject RangeReportJson(const QString& file, const std::vector<RangeIssue>& issues) {
    QJsonArray list;
    for (const RangeIssue& issue : issues) {
        list.append(QJsonObject{
            {"record", QString::fromStdString(issue.record)},
            {"item", QString::fromStdString(issue.item)},
            {"field", QString::fromStdString(issue.field)},
            {"value", issue.value},
            {"min", issue.allowed.min},
            {"max", issue.allowed.max},
        });
    }
    return {{"file", file}, {"clean", issues.empty()}, {"issues", list}};
}

void PrintRangeReport(QTextStream& out, const QString& file,
                      const std::vector<RangeIssue>& issues) {
    if (issues.empty()) {
        out << file << ": every field is within the range its page allows\n";
        return;
    }
    out << file << ": " << issues.size() << (issues.size() == 1 ? " field is" : " fields are")
        << " outside the range its page allows:\n";
    for (const RangeIssue& issue : issues) {
        out << "  " << QString::fromStdString(DescribeIssue(issue)) << "\n";
    }
}
