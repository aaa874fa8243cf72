#pragma once

#include <QByteArrayView>

namespace vandrel {

// Standard output as a filter keeps it; call first thing in main. A standard descriptor the
// caller closed is held, so that no file or socket the program opens takes its place. At exit
// the output is flushed and closed: when anything written was lost, the program says why on
// standard error and exits with 1. A reader that went away (`| head`) ends it quietly.
void guardStandardOutput();

// Writes and flushes; a failure is kept for the check at exit.
void writeOutput(QByteArrayView bytes);

} // namespace vandrel
