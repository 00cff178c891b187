#include "data/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "data/result_codes.h"

namespace vellmora {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded.
    bool close() {
        int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

int readWholeFile(const std::string& path, std::size_t maxBytes, std::string& out,
                  int* errorNumber) {
    auto fail = [errorNumber](int result, int error) {
        if (errorNumber != nullptr) {
            *errorNumber = error;
        }
        return result;
    };
    if (path.empty()) {
        return fail(kMissingFile, ENOENT);
    }
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        return fail(kMissingFile, errno);
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        return fail(kMissingFile, errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return fail(kMissingFile, EISDIR);
    }
    if (S_ISREG(info.st_mode) && static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        return fail(kRefused, EFBIG);
    }
    // The size from fstat is only a hint (special files report 0); read up to one byte past
    // the cap to notice a file that is too large.
    std::string bytes;
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        ssize_t got = ::read(file.get(), chunk.data(), chunk.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail(kRefused, errno);
        }
        if (got == 0) {
            break;
        }
        if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
            return fail(kRefused, EFBIG);
        }
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
    out = std::move(bytes);
    return fail(kOk, 0);
}

int writeFileAtomically(const std::string& path, std::string_view bytes,
                        AtomicWriteOptions options) {
    if (path.empty()) {
        return kRefused;
    }
    namespace fs = std::filesystem;
    fs::path target(path);
    if (!target.has_filename()) {
        return kRefused;
    }
    fs::path folder = target.parent_path();
    std::error_code error;
    if (options.createParentFolder && !folder.empty()) {
        fs::create_directories(folder, error);
        if (error) {
            return kRefused;
        }
    }
    fs::path tempPattern = folder / ("." + target.filename().string() + ".tmp-XXXXXX");
    std::string tempName = tempPattern.string();
    std::vector<char> nameBuffer(tempName.begin(), tempName.end());
    nameBuffer.push_back('\0');
    FileDescriptor temp(::mkstemp(nameBuffer.data()));
    if (temp.get() < 0) {
        return kRefused;
    }
    const char* tempPath = nameBuffer.data();
    bool ok =
        ::fchmod(temp.get(), 0644) == 0 && writeAll(temp.get(), bytes) && ::fsync(temp.get()) == 0;
    ok = temp.close() && ok;
    if (!ok || ::rename(tempPath, path.c_str()) != 0) {
        ::unlink(tempPath);
        return kRefused;
    }
    // Make the rename itself durable; failure here does not undo the completed write.
    FileDescriptor dir(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) {
        (void)::fsync(dir.get());
    }
    return kOk;
}

bool pathExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

}  // namespace vellmora
