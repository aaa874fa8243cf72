#pragma once

#include <QByteArrayView>

namespace vandrel {

// Standard output as a filter keeps it; call first thing in main. A standard descriptor the
// caller closed is held, so that no file or socket the program opens takes its place. At exit
// the output is flushed and closed: when anything written was lost, the program says why on
// standard error and exits with 1. A reader that went away (`| head`) ends it quietly. The same
// holds for an exit by std::quick_exit.
void guardStandardOutput();

enum class Flush { Now, Later };

// Writes, and flushes unless told to leave that to a later write; a failure is kept for the
// check at exit.
void writeOutput(QByteArrayView bytes, Flush flush = Flush::Now);

// True once a write or flush has failed: whatever is written after it is lost.
bool outputFailed();

} // namespace vandrel
