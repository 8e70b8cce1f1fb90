// The records of a parameter file, in file order, with the names the tools show them by. The
// master volumes are not in the file.
#pragma once

#include <vector>

class CAudioData;
class CEQ;
class CParamRecord;

struct FileRecord {
    const char* name;  // "music", "mic", "effect", "mainOut0" ... "sub1", "toneLimits", "system"
    CParamRecord* record;  // its fields (those marked inFile are in the file)
    CEQ* eq;               // its band set, written after the fields; null for records without
};

std::vector<FileRecord> FileRecordsOf(CAudioData& model);
