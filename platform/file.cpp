#include "platform/file.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "platform/utf16.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <string>

#ifdef _WIN32

namespace {

// Paths travel through the program as UTF-8 and reach Windows as UTF-16, so that every name
// opens, and no name is replaced by a look-alike of the active code page.
std::wstring widePath(const char* path) {
    const std::u16string text = utf16FromUtf8(path);
    return std::wstring(text.begin(), text.end());
}

struct FileId {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
};

bool fileId(HANDLE h, FileId* id) {
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(h, &info) == 0) {
        return false;
    }
    *id = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return true;
}

// True where `h` is the file `path` names, or where that cannot be ruled out.
bool isFile(HANDLE h, const char* path) {
    const HANDLE other = CreateFileW(widePath(path).c_str(), 0,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (other == INVALID_HANDLE_VALUE) {
        return false;  // nothing there to spare
    }
    FileId a{};
    FileId b{};
    const bool known = fileId(other, &b) && fileId(h, &a);
    CloseHandle(other);
    return !known ||
           (a.volume == b.volume && a.indexHigh == b.indexHigh && a.indexLow == b.indexLow);
}

}  // namespace

File fileOpenWriteSparing(const char* path, const char* spared) {
    // Opened without truncating, so the check below sees the file before anything is lost.
    const HANDLE h =
        CreateFileW(widePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return File();
    }
    if (isFile(h, spared) || (GetFileType(h) == FILE_TYPE_DISK && SetEndOfFile(h) == 0)) {
        CloseHandle(h);
        return File();
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(h);
        return File();
    }
    File f(_fdopen(fd, "wb"));
    if (!f) {
        _close(fd);
    }
    return f;
}

// The C runtime marks a missing standard handle as taken, so no file ever gets its number.
int fileKeepStandardStreams() {
    return 0;
}

#else

File fileOpenWriteSparing(const char* path, const char* spared) {
    // Opened without truncating, so the check below sees the file before anything is lost.
    const int fd = open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return File();
    }
    struct stat piece {};
    struct stat other {};
    const bool same =
        fstat(fd, &piece) != 0 ||
        (stat(spared, &other) == 0 && piece.st_dev == other.st_dev && piece.st_ino == other.st_ino);
    // A device or a pipe has nothing to cut, as O_TRUNC would leave it alone too; nor has a
    // file just created.
    if (same || (S_ISREG(piece.st_mode) && piece.st_size != 0 && ftruncate(fd, 0) != 0)) {
        close(fd);
        return File();
    }
    File f(fdopen(fd, "wb"));
    if (!f) {
        close(fd);
    }
    return f;
}

int fileKeepStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        // The descriptors below are open, so this one is the lowest free and open takes it.
        const int opened = open(kNullDevice, fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened != fd) {
            if (opened >= 0) {
                close(opened);
            }
            return -1;
        }
    }
    return 0;
}

#endif

File fileOpenRead(const char* path) {
#ifdef _WIN32
    File f(_wfopen(widePath(path).c_str(), L"rb"));
#else
    File f(std::fopen(path, "rb"));
#endif
    if (f && seek64(f.get(), 0) != 0) {
        f.reset();
    }
    return f;
}

int seek64(std::FILE* f, std::int64_t position) {
#ifdef _WIN32
    return _fseeki64(f, position, SEEK_SET) == 0 ? 0 : -1;
#else
    return fseeko(f, static_cast<off_t>(position), SEEK_SET) == 0 ? 0 : -1;
#endif
}

std::int64_t tell64(std::FILE* f) {
#ifdef _WIN32
    return _ftelli64(f);
#else
    return static_cast<std::int64_t>(ftello(f));
#endif
}

int fileTruncate(std::FILE* f, std::int64_t size) {
#ifdef _WIN32
    return _chsize_s(_fileno(f), size) == 0 ? 0 : -1;
#else
    return ftruncate(fileno(f), static_cast<off_t>(size)) == 0 ? 0 : -1;
#endif
}

KernelCopy fileKernelCopy(std::FILE* in, std::FILE* out, std::uint64_t length,
                          std::uint64_t* copied) {
    *copied = 0;
#ifdef __linux__
    const int inFd = fileno(in);
    const int outFd = fileno(out);
    off_t inOffset = ftello(in);
    struct stat inStat {};
    struct stat outStat {};
    // Only between regular files: a device or a pipe may not say where its data ends.
    if (inFd < 0 || outFd < 0 || inOffset < 0 || fstat(inFd, &inStat) != 0 ||
        fstat(outFd, &outStat) != 0 || !S_ISREG(inStat.st_mode) || !S_ISREG(outStat.st_mode)) {
        return KernelCopy::Unsupported;
    }
    // At most 1 GiB a call keeps each call's count well inside ssize_t everywhere.
    constexpr std::uint64_t kMaxCall = 1u << 30;
    while (*copied < length) {
        const std::uint64_t want = length - *copied < kMaxCall ? length - *copied : kMaxCall;
        // `in` is read at an explicit offset, so its own position stays where it was.
        const ssize_t n = copy_file_range(inFd, &inOffset, outFd, nullptr, want, 0);
        if (n == 0) {
            return KernelCopy::Copied;  // the input ended
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const bool unsupported = errno == ENOSYS || errno == EXDEV || errno == EINVAL ||
                                     errno == EOPNOTSUPP || errno == EBADF || errno == EPERM;
            return *copied == 0 && unsupported ? KernelCopy::Unsupported : KernelCopy::Failed;
        }
        *copied += static_cast<std::uint64_t>(n);
    }
    return KernelCopy::Copied;
#else
    (void)in;
    (void)out;
    (void)length;
    return KernelCopy::Unsupported;
#endif
}
