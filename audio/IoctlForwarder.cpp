// PLIB hands ioctl requests to the C library sign-extended to 64 bits. The
// kernel only looks at the low 32, so a real /dev/dsp works, but the /dev/dsp
// emulation of libpulsedsp compares all 64 and refuses them. This definition,
// linked into the program, is found before libpulsedsp's and the C library's:
// it cuts the request to 32 bits and passes the call on to the next one.
//
// <sys/ioctl.h> is deliberately not included: its declaration carries an
// noexcept declaration this definition need not repeat.

#include <dlfcn.h>

#include <cerrno>
#include <cstdarg>

namespace {

using IoctlFunction = int (*)(int, unsigned long, ...);

IoctlFunction nextIoctl()
{
    static const IoctlFunction next = reinterpret_cast<IoctlFunction>(dlsym(RTLD_NEXT, "ioctl"));
    return next;
}

} // namespace

extern "C" int ioctl(int fd, unsigned long request, ...)
{
    va_list args;
    va_start(args, request);
    void* argument = va_arg(args, void*);
    va_end(args);
    IoctlFunction next = nextIoctl();
    if (!next) {
        errno = ENOSYS;
        return -1;
    }
    return next(fd, request & 0xFFFFFFFFul, argument);
}
