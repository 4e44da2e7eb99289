#include "platform/file.h"

#ifdef _WIN32
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>

File fileOpenRead(const char* path) {
    return File(std::fopen(path, "rb"));
}

File fileOpenWrite(const char* path) {
    return File(std::fopen(path, "wb"));
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
