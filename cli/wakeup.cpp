#include "cli/wakeup.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace vandrel {

namespace {

volatile std::sig_atomic_t interruptedFlag = 0;
int interruptWakes = -1;

void onInterrupt(int)
{
    const int savedErrno = errno;
    interruptedFlag = 1;
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = write(interruptWakes, &byte, 1);
    errno = savedErrno;
}

} // namespace

Wakeup::Wakeup()
{
    if (pipe2(ends_, O_CLOEXEC | O_NONBLOCK) != 0)
        ends_[0] = ends_[1] = -1;
}

Wakeup::~Wakeup()
{
    for (const int end : ends_)
        if (end >= 0)
            close(end);
}

// A full pipe wakes its reader already; the byte that does not fit is not missed.
void Wakeup::wake() const
{
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = write(ends_[1], &byte, 1);
}

void Wakeup::wait(int timeoutMs) const
{
    // Without a pipe (no descriptor left) the wait is a short sleep, and the caller looks again.
    constexpr int withoutPipeMs = 10;
    pollfd readable{ends_[0], POLLIN, 0};
    static_cast<void>(poll(&readable, 1, ends_[0] < 0 ? withoutPipeMs : timeoutMs));
    drain();
}

void Wakeup::drain() const
{
    char bytes[64];
    while (read(ends_[0], bytes, sizeof bytes) > 0) {
    }
}

void Wakeup::catchInterrupt() const
{
    interruptWakes = ends_[1];
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
}

bool Wakeup::interrupted()
{
    return interruptedFlag != 0;
}

} // namespace vandrel
