#pragma once

namespace vandrel {

// What the main thread of a run sleeps on: a pipe that a worker with a finished page, or Ctrl+C,
// writes a byte to. A signal handler may call nothing else, and a pipe is what poll() and the
// event loop of a download both wait on.
class Wakeup
{
public:
    Wakeup();
    ~Wakeup();
    Wakeup(const Wakeup&) = delete;
    Wakeup& operator=(const Wakeup&) = delete;

    // Safe in a signal handler and on any thread.
    void wake() const;
    // Sleeps until woken or until `timeoutMs` have passed (-1: no limit), and empties the pipe.
    void wait(int timeoutMs) const;
    void drain() const;
    // The end to read, for a socket notifier while a download runs.
    int descriptor() const { return ends_[0]; }

    // From now on the first Ctrl+C (SIGINT) only sets interrupted() and wakes this pipe; a
    // second one ends the program at once, as Ctrl+C does by default.
    void catchInterrupt() const;
    static bool interrupted();

private:
    int ends_[2] = {-1, -1};
};

} // namespace vandrel
