// Preloaded into the fault test: makes the file calls of a save fail as a full or broken
// disk does. Inactive unless TOBREL_FAULT is set; then files opened for writing from that
// moment on get its fault, with the error number TOBREL_FAULT_ERRNO:
//   write:N  the first N bytes are written, every write after them fails
//   fsync, close, rename  that call fails (close still closes the file)
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kMaxFd = 4096;
bool g_tracked[kMaxFd];
long g_written[kMaxFd];

template <typename Function> Function real(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool armedFor(const char *call, std::size_t length)
{
    const char *fault = std::getenv("TOBREL_FAULT");
    return fault && std::strncmp(fault, call, length) == 0;
}

int fail()
{
    errno = std::atoi(std::getenv("TOBREL_FAULT_ERRNO"));
    return -1;
}

bool tracked(int fd)
{
    return fd >= 0 && fd < kMaxFd && g_tracked[fd];
}

} // namespace

extern "C" {

int open(const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? mode_t(va_arg(args, int)) : 0;
    va_end(args);
    static auto next = real<int (*)(const char *, int, ...)>("open");
    const int fd = next(path, flags, mode);
    if (fd >= 0 && fd < kMaxFd) {
        g_tracked[fd] = std::getenv("TOBREL_FAULT") && (flags & O_ACCMODE) != O_RDONLY;
        g_written[fd] = 0;
    }
    return fd;
}

ssize_t write(int fd, const void *data, size_t size)
{
    static auto next = real<ssize_t (*)(int, const void *, size_t)>("write");
    if (tracked(fd) && armedFor("write:", 6)) {
        const long room = std::atol(std::getenv("TOBREL_FAULT") + 6) - g_written[fd];
        if (room <= 0)
            return fail();
        size = std::min(size, size_t(room));
    }
    const ssize_t count = next(fd, data, size);
    if (count > 0 && tracked(fd))
        g_written[fd] += count;
    return count;
}

int fsync(int fd)
{
    static auto next = real<int (*)(int)>("fsync");
    return tracked(fd) && armedFor("fsync", 6) ? fail() : next(fd);
}

int close(int fd)
{
    static auto next = real<int (*)(int)>("close");
    const bool fails = tracked(fd) && armedFor("close", 6);
    if (fd >= 0 && fd < kMaxFd)
        g_tracked[fd] = false;
    const int result = next(fd);
    return fails ? fail() : result;
}

int rename(const char *from, const char *to)
{
    static auto next = real<int (*)(const char *, const char *)>("rename");
    return armedFor("rename", 7) ? fail() : next(from, to);
}

} // extern "C"
