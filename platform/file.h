// Binary file streams with one owner each, and 64-bit positions on every platform.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

struct FileCloser {
    void operator()(std::FILE* f) const noexcept { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Opens an existing file for binary reading; null on failure, and for a file that cannot be
// positioned (a pipe, a terminal), since every piece seeks the input afresh.
File fileOpenRead(const char* path);

// Creates or truncates `path` for binary writing; null on failure. Where the file that `path`
// leads to is the file `spared` leads to (a link to the input, say), it is left untouched
// and the result is null: the check is made on the file opened, before it is truncated.
File fileOpenWriteSparing(const char* path, const char* spared);

constexpr const char* kNullDevice = "/dev/null";

// Makes sure standard input, output and error are open, on the null device where one was
// closed, so that no file the tool opens later can take their place. Returns 0 or -1.
[[nodiscard]] int fileKeepStandardStreams();

// Absolute seek from the start of the file. Returns 0 or -1.
[[nodiscard]] int seek64(std::FILE* f, std::int64_t position);

// Current position, or -1 when the stream has none.
std::int64_t tell64(std::FILE* f);

// Cuts the file of a flushed stream to `size` bytes. Returns 0 or -1.
[[nodiscard]] int fileTruncate(std::FILE* f, std::int64_t size);

// How a copy inside the kernel went.
enum class KernelCopy {
    Copied,       // `*copied` bytes went; fewer than asked only where the input ended
    Unsupported,  // nothing went: these streams cannot be copied that way, copy by hand
    Failed,       // a read or write error, after `*copied` bytes
};

// Appends up to `length` bytes of `in`, read from its current position, to `out` without
// passing them through this process. `out` must hold no buffered bytes. `in` keeps its
// position.
KernelCopy fileKernelCopy(std::FILE* in, std::FILE* out, std::uint64_t length,
                          std::uint64_t* copied);
