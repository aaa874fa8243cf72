#include "cli/standard_output.h"

#include "cli/exit_status.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vandrel {

namespace {

int writeError = 0;

void keepFirstError()
{
    if (writeError == 0)
        writeError = errno != 0 ? errno : EIO;
}

// Also runs on the exit of --help and --version, which the option parser prints itself.
void closeAtExit()
{
    const bool failedBefore = std::ferror(stdout) != 0;
    if (std::fclose(stdout) != 0 || failedBefore)
        keepFirstError();
    if (writeError == 0)
        return;
    if (writeError != EPIPE)
        std::fprintf(stderr, "vandrel-fetch: cannot write the output: %s\n",
                     std::strerror(writeError));
    std::_Exit(ExitFailure);
}

} // namespace

void guardStandardOutput()
{
    // Read-only, so that a write to a closed standard output fails as it would have.
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd)
        if (fcntl(fd, F_GETFD) == -1)
            open("/dev/null", O_RDONLY);
    std::atexit(closeAtExit);
    std::at_quick_exit(closeAtExit);
}

void writeOutput(QByteArrayView bytes, Flush flush)
{
    // An empty view may hold no pointer at all, and fwrite must not be handed a null one.
    const bool written = bytes.isEmpty() || std::fwrite(bytes.data(), 1, std::size_t(bytes.size()),
                                                        stdout) == std::size_t(bytes.size());
    if (!written || (flush == Flush::Now && std::fflush(stdout) != 0))
        keepFirstError();
}

bool outputFailed()
{
    return writeError != 0 || std::ferror(stdout) != 0;
}

} // namespace vandrel
