// Preloaded into the fault test: makes the file calls of a save fail as a full or broken
// disk does. Inactive unless TOBREL_FAULT is set; then files opened for writing from that
// moment on get the fault it names:
//   write:N  the first N bytes are written, every write after them fails
//   fsync, close, rename  that call fails (close still closes the file)
// with the error number in TOBREL_FAULT_ERRNO (ENOSPC when unset).
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kMaxFd = 4096;
bool g_tracked[kMaxFd];
long g_written[kMaxFd];

template <typename Function>
Function next(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

const char *fault()
{
    return std::getenv("TOBREL_FAULT");
}

bool faultIs(const char *call)
{
    const char *armed = fault();
    return armed && std::strcmp(armed, call) == 0;
}

int failWith()
{
    const char *number = std::getenv("TOBREL_FAULT_ERRNO");
    errno = number ? std::atoi(number) : ENOSPC;
    return -1;
}

bool tracked(int fd)
{
    return fd >= 0 && fd < kMaxFd && g_tracked[fd];
}

int track(int fd, int flags)
{
    if (fd >= 0 && fd < kMaxFd) {
        g_tracked[fd] = fault() && (flags & O_ACCMODE) != O_RDONLY;
        g_written[fd] = 0;
    }
    return fd;
}

mode_t modeOf(int flags, va_list args)
{
    return (flags & (O_CREAT | O_TMPFILE)) ? mode_t(va_arg(args, int)) : 0;
}

} // namespace

extern "C" {

int open(const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeOf(flags, args);
    va_end(args);
    static auto real = next<int (*)(const char *, int, ...)>("open");
    return track(real(path, flags, mode), flags);
}

int open64(const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeOf(flags, args);
    va_end(args);
    static auto real = next<int (*)(const char *, int, ...)>("open64");
    return track(real(path, flags, mode), flags);
}

ssize_t write(int fd, const void *data, size_t size)
{
    static auto real = next<ssize_t (*)(int, const void *, size_t)>("write");
    const char *armed = fault();
    if (tracked(fd) && armed && std::strncmp(armed, "write:", 6) == 0) {
        const long room = std::atol(armed + 6) - g_written[fd];
        if (room <= 0)
            return failWith();
        if (size > size_t(room))
            size = size_t(room);
    }
    const ssize_t count = real(fd, data, size);
    if (count > 0 && tracked(fd))
        g_written[fd] += count;
    return count;
}

int fsync(int fd)
{
    static auto real = next<int (*)(int)>("fsync");
    return tracked(fd) && faultIs("fsync") ? failWith() : real(fd);
}

int close(int fd)
{
    static auto real = next<int (*)(int)>("close");
    const bool fails = tracked(fd) && faultIs("close");
    if (fd >= 0 && fd < kMaxFd)
        g_tracked[fd] = false;
    const int result = real(fd);
    return fails ? failWith() : result;
}

int rename(const char *from, const char *to)
{
    static auto real = next<int (*)(const char *, const char *)>("rename");
    return faultIs("rename") ? failWith() : real(from, to);
}

} // extern "C"
