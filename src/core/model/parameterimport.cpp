#include "core/model/parameterimport.h"

CheckedParameterFile ReadCheckedParameterFile(const std::string& path) {
    CheckedParameterFile file;
    file.read = ReadParameterBytes(path, file.bytes);
    if (!file.read.ok) {
        file.bytes.clear();
        return file;
    }
    file.issues = CheckParameterBytes(file.bytes);
    return file;
}

bool LoadCheckedParameterFile(CAudioData& model, const CheckedParameterFile& file) {
    return file.read.ok && LoadClampedParameterBytes(model, file.bytes);
}

bool LoadClampedParameterBytes(CAudioData& model, std::span<const std::uint8_t> bytes) {
    if (!LoadParameterBytes(model, bytes)) {
        return false;
    }
    ClampToAllowedRanges(model);
    return true;
}
