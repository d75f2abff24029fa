#pragma once

#include <QByteArray>

#include <functional>

namespace TestSupport {

// How a child process ended and what it wrote.
struct ChildEnd
{
    bool exited = false; // false: a signal ended it (or it could not be made)
    int exitCode = -1; // when exited
    int signal = 0; // when ended by a signal
    QByteArray output;
};

// Runs work in a child process, a fork of this one. What work writes to the file
// descriptor it is given comes back in `output`; its result is the child's exit
// code. The child ends without running this process's exit handlers.
ChildEnd runInChild(const std::function<int(int outputFd)> &work);

// For a child of runInChild: lets the calling process's address space grow no
// more than `headroom` bytes beyond what it uses now, so that an allocation past
// it fails as on a machine without memory to spare. False when it cannot be set.
bool limitAddressSpace(qint64 headroom);

// AddressSanitizer reserves terabytes of address space for its own use: a process
// built with it cannot run under an address-space limit at all.
constexpr bool addressSpaceLimitWorks()
{
#if defined(__SANITIZE_ADDRESS__)
    return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return false;
#else
    return true;
#endif
#else
    return true;
#endif
}

} // namespace TestSupport
