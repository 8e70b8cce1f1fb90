#include "core/model/pmxfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <utility>

#include "core/model/archive.h"
#include "core/model/audiodata.h"

namespace {
// Links followed before a path is taken as a loop.
constexpr int kMaxLinkHops = 40;
constexpr int kTempNameAttempts = 100;

PmxResult Failure(const std::string& path, const std::string& what) {
    return {false, path + ": " + what};
}

std::string ErrnoText(int error = errno) {
    return std::strerror(error);
}

// Closes the descriptor when it goes out of scope.
class CFd {
public:
    explicit CFd(int fd) : m_fd(fd) {}
    ~CFd() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    CFd(const CFd&) = delete;
    CFd& operator=(const CFd&) = delete;
    int Get() const { return m_fd; }
    // Closes now; false (errno set) when the close reports an error.
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

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
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The path a write to `path` lands on: symbolic links followed (a relative link from its own
// folder), also when the last one points to a file that does not exist yet. Empty on a loop.
std::string FollowLinks(std::string path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return path;
        }
        std::vector<char> target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0 || static_cast<std::size_t>(n) >= target.size()) {
            return path;
        }
        const std::string link(target.data(), static_cast<std::size_t>(n));
        path = link.front() == '/' ? link : FolderOf(path) + "/" + link;
    }
    return {};
}

// What a save would replace must be an ordinary file (or nothing yet). Fills `old` when there
// is one.
PmxResult CheckTarget(const std::string& shown, const std::string& target, struct stat& old,
                      bool& exists) {
    if (target.empty()) {
        return Failure(shown, "too many levels of symbolic links");
    }
    exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        return Failure(shown, "is a folder, not a file");
    }
    if (exists && !S_ISREG(old.st_mode)) {
        return Failure(shown, "is not an ordinary file");
    }
    return {true, {}};
}

// Creates a new, empty file beside `target` with the mode the umask allows; -1 on failure
// (errno set).
int CreateTempBeside(const std::string& target, std::string& tempPath) {
    static std::mt19937 random{std::random_device{}()};
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        std::string suffix(6, 'x');
        for (char& c : suffix) {
            c = kLetters[random() % (sizeof kLetters - 1)];
        }
        tempPath = FolderOf(target) + "/." + NameOf(target) + "." + suffix;
        const int fd =
            ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// Flushes the folder's entry list so that a rename in it survives a crash. File systems that
// cannot flush a folder say EINVAL; that is not a failure.
bool SyncFolder(const std::string& folder) {
    CFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() < 0) {
        return false;
    }
    return ::fsync(fd.Get()) == 0 || errno == EINVAL;
}
}  // namespace

PmxResult SaveParameterFile(CAudioData& data, const std::string& path) {
    return SaveParameterBytes(ParameterBytes(data), path);
}

std::vector<std::uint8_t> ParameterBytes(CAudioData& data) {
    CArchive ar;
    data.Serialize(ar);
    return {ar.Bytes().begin(), ar.Bytes().end()};
}

PmxResult SaveParameterBytes(const std::vector<std::uint8_t>& bytes, const std::string& path) {
    const std::string target = FollowLinks(path);
    struct stat old {};
    bool exists = false;
    if (PmxResult checked = CheckTarget(path, target, old, exists); !checked.ok) {
        return checked;
    }

    std::string temp;
    CFd fd(CreateTempBeside(target, temp));
    if (fd.Get() < 0) {
        return Failure(path, "cannot create a file in " + FolderOf(target) + ": " + ErrnoText());
    }
    if (exists) {
        ::fchmod(fd.Get(), old.st_mode & 07777);
    }
    const bool written = WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0;
    const int writeErrno = errno;
    const bool closed = fd.Close();
    if (!written || !closed) {
        const std::string error = ErrnoText(written ? errno : writeErrno);
        ::unlink(temp.c_str());
        return Failure(path, "write failed: " + error);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const std::string error = ErrnoText();
        ::unlink(temp.c_str());
        return Failure(path, "cannot replace the file: " + error);
    }
    if (!SyncFolder(FolderOf(target))) {
        return Failure(path, "saved, but the folder could not be flushed: " + ErrnoText());
    }
    return {true, {}};
}

PmxResult CheckParameterFileWritable(const std::string& path) {
    const std::string target = FollowLinks(path);
    struct stat old {};
    bool exists = false;
    if (PmxResult checked = CheckTarget(path, target, old, exists); !checked.ok) {
        return checked;
    }
    std::string probe;
    const int fd = CreateTempBeside(target, probe);
    if (fd < 0) {
        return Failure(path, "cannot create a file in " + FolderOf(target) + ": " + ErrnoText());
    }
    ::close(fd);
    ::unlink(probe.c_str());
    return {true, {}};
}

PmxResult ReadParameterBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
    const std::size_t need = CAudioData::SerializedSize();
    CFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() < 0) {
        return Failure(path, "cannot open the file: " + ErrnoText());
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) == 0 && S_ISDIR(st.st_mode)) {
        return Failure(path, "is a folder, not a file");
    }
    // One byte more than the layout is enough to know that there is more.
    std::vector<std::uint8_t> read(need + 1);
    std::size_t got = 0;
    while (got < read.size()) {
        const ssize_t n = ::read(fd.Get(), read.data() + got, read.size() - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return Failure(path, "read failed: " + ErrnoText());
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    if (got < need) {
        return Failure(path, "too short for a parameter file (" + std::to_string(got) + " of " +
                                 std::to_string(need) + " bytes)");
    }
    read.resize(got);
    bytes = std::move(read);
    return {true, {}};
}

bool LoadParameterBytes(CAudioData& data, std::span<const std::uint8_t> bytes) {
    if (bytes.size() < CAudioData::SerializedSize()) {
        return false;
    }
    CArchive ar(bytes.first(CAudioData::SerializedSize()));
    data.Serialize(ar);
    return true;
}

PmxResult LoadParameterFile(CAudioData& data, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    PmxResult result = ReadParameterBytes(path, bytes);
    if (result.ok) {
        LoadParameterBytes(data, bytes);
    }
    return result;
}
