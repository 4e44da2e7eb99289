#include "platform/file.h"

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
