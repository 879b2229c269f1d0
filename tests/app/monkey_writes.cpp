// The monkey's watch on files: every file this process opens for writing, creates, renames
// or makes a folder of is seen here before the C library sees it.
#include "tests/app/monkey_writes.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace writes {

std::atomic<bool> g_watching{false};
char g_allowed[4096];        // the temporary folder, with a trailing slash
std::atomic<int> g_outside{0};
char g_firstOutside[4096];

// path made absolute and free of "." and ".." by its text alone.
std::string absolute(int dirfd, const char* path)
{
    std::string base;
    if (path[0] != '/') {
        char buf[4096];
        if (dirfd == AT_FDCWD) {
            if (!getcwd(buf, sizeof buf))
                return path;
            base = buf;
        } else {
            const std::string link = "/proc/self/fd/" + std::to_string(dirfd);
            const ssize_t n = readlink(link.c_str(), buf, sizeof buf - 1);
            if (n <= 0)
                return path;
            base.assign(buf, std::size_t(n));
        }
        base += '/';
    }
    base += path;
    std::vector<std::string> parts;
    std::size_t i = 0;
    while (i <= base.size()) {
        const std::size_t j = std::min(base.find('/', i), base.size());
        const std::string part = base.substr(i, j - i);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = j + 1;
    }
    std::string out;
    for (const auto& p : parts)
        out += "/" + p;
    return out.empty() ? "/" : out;
}

void note(int dirfd, const char* path)
{
    if (!g_watching.load(std::memory_order_acquire) || !path)
        return;
    thread_local bool inside = false; // the checks below may open files themselves
    if (inside)
        return;
    inside = true;
    const std::string p = absolute(dirfd, path) + "/";
    const bool system = p.rfind("/dev/", 0) == 0 || p.rfind("/proc/", 0) == 0 || p.rfind("/sys/", 0) == 0;
    if (!system && p.rfind(g_allowed, 0) != 0 && g_outside.fetch_add(1) == 0)
        std::snprintf(g_firstOutside, sizeof g_firstOutside, "%s", p.substr(0, p.size() - 1).c_str());
    inside = false;
}

bool writing(int flags)
{
    return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC | O_APPEND)) != 0;
}

template <typename F> F real(const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

} // namespace writes

extern "C" {

// The mode argument of the open family, there only when a file may be created.
#define OPEN_MODE()                                          \
    mode_t mode = 0;                                         \
    if (flags & (O_CREAT | O_TMPFILE)) {                     \
        va_list ap;                                          \
        va_start(ap, flags);                                 \
        mode = va_arg(ap, mode_t);                           \
        va_end(ap);                                          \
    }

int open(const char* path, int flags, ...)
{
    OPEN_MODE();
    if (writes::writing(flags))
        writes::note(AT_FDCWD, path);
    static auto next = writes::real<int (*)(const char*, int, ...)>("open");
    return next(path, flags, mode);
}

int open64(const char* path, int flags, ...)
{
    OPEN_MODE();
    if (writes::writing(flags))
        writes::note(AT_FDCWD, path);
    static auto next = writes::real<int (*)(const char*, int, ...)>("open64");
    return next(path, flags, mode);
}

int openat(int dirfd, const char* path, int flags, ...)
{
    OPEN_MODE();
    if (writes::writing(flags))
        writes::note(dirfd, path);
    static auto next = writes::real<int (*)(int, const char*, int, ...)>("openat");
    return next(dirfd, path, flags, mode);
}

int openat64(int dirfd, const char* path, int flags, ...)
{
    OPEN_MODE();
    if (writes::writing(flags))
        writes::note(dirfd, path);
    static auto next = writes::real<int (*)(int, const char*, int, ...)>("openat64");
    return next(dirfd, path, flags, mode);
}

FILE* fopen(const char* path, const char* mode)
{
    if (mode && std::strpbrk(mode, "wa+"))
        writes::note(AT_FDCWD, path);
    static auto next = writes::real<FILE* (*)(const char*, const char*)>("fopen");
    return next(path, mode);
}

FILE* fopen64(const char* path, const char* mode)
{
    if (mode && std::strpbrk(mode, "wa+"))
        writes::note(AT_FDCWD, path);
    static auto next = writes::real<FILE* (*)(const char*, const char*)>("fopen64");
    return next(path, mode);
}

int rename(const char* from, const char* to)
{
    writes::note(AT_FDCWD, to);
    static auto next = writes::real<int (*)(const char*, const char*)>("rename");
    return next(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to)
{
    writes::note(toDir, to);
    static auto next = writes::real<int (*)(int, const char*, int, const char*)>("renameat");
    return next(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags)
{
    writes::note(toDir, to);
    static auto next = writes::real<int (*)(int, const char*, int, const char*, unsigned)>("renameat2");
    return next(fromDir, from, toDir, to, flags);
}

int mkdir(const char* path, mode_t mode)
{
    writes::note(AT_FDCWD, path);
    static auto next = writes::real<int (*)(const char*, mode_t)>("mkdir");
    return next(path, mode);
}

} // extern "C"
