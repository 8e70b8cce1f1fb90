#include "core/model/pmxfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/model/archive.h"
#include "core/model/audiodata.h"

namespace {
PmxResult Failure(const std::string& path, const std::string& what) {
    return {false, path + ": " + what};
}

std::string ErrnoText() {
    return std::strerror(errno);
}

// Writes all bytes to fd, retrying short writes.
bool WriteAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}
}  // namespace

PmxResult SaveParameterFile(CAudioData& data, const std::string& path) {
    CArchive ar;
    data.Serialize(ar);

    std::string temp = FolderOf(path) + "/.pmx-XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        return Failure(path, "cannot create a temporary file: " + ErrnoText());
    }
    temp = name.data();
    // mkstemp creates the file private; keep the mode of the file being replaced, or make it an
    // ordinary document.
    struct stat old {};
    ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    const bool written = WriteAll(fd, ar.Bytes()) && ::fsync(fd) == 0;
    const std::string writeError = written ? std::string() : ErrnoText();
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(temp.c_str());
        return Failure(path, "write failed: " + (written ? ErrnoText() : writeError));
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string error = ErrnoText();
        ::unlink(temp.c_str());
        return Failure(path, "cannot replace the file: " + error);
    }
    return {true, {}};
}

PmxResult LoadParameterFile(CAudioData& data, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return Failure(path, "cannot open the file: " + ErrnoText());
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    if (in.bad()) {
        return Failure(path, "read failed");
    }
    const std::size_t need = CAudioData::SerializedSize();
    if (bytes.size() < need) {
        return Failure(path, "file too short (" + std::to_string(bytes.size()) + " of " +
                                 std::to_string(need) + " bytes)");
    }
    CArchive ar(std::span<const std::uint8_t>(bytes).first(need));
    data.Serialize(ar);
    return {true, {}};
}
