#include "core/model/pmxlibrary.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "core/model/pmxfile.h"

namespace {
// The longest file name the common file systems take, in bytes.
constexpr std::size_t kMaxFileNameBytes = 255;

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const bool less = std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return Lower(x) < Lower(y); });
    if (less || !EqualIgnoringCase(a, b)) {
        return less;
    }
    // Names equal but for letter case keep one order.
    return a < b;
}

bool HasParameterExtension(const std::string& name) {
    const std::string_view extension = kParameterFileExtension;
    return name.size() > extension.size() &&
           EqualIgnoringCase(std::string_view(name).substr(name.size() - extension.size()),
                             extension);
}
}  // namespace

std::vector<std::string> ListParameterFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) {
            continue;
        }
        std::string name = it->path().filename().string();
        if (HasParameterExtension(name)) {
            files.push_back(std::move(name));
        }
    }
    std::sort(files.begin(), files.end(), LessIgnoringCase);
    if (files.size() > static_cast<std::size_t>(kMaxLibraryFiles)) {
        files.resize(static_cast<std::size_t>(kMaxLibraryFiles));
    }
    return files;
}

std::string FileTitle(const std::string& fileName) {
    const auto dot = fileName.find_last_of('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

bool IsAcceptableFileName(const std::string& name) {
    if (name.empty() || name == "." || name == ".." ||
        name.size() + std::string_view(kParameterFileExtension).size() > kMaxFileNameBytes) {
        return false;
    }
    constexpr std::string_view kRefused = "/\\<>:\"|?*";
    return std::none_of(name.begin(), name.end(), [&](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F || kRefused.find(c) != std::string_view::npos;
    });
}

int FindFileIgnoringCase(const std::vector<std::string>& files, const std::string& fileName) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (EqualIgnoringCase(files[i], fileName)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}
