#pragma once

// --demo of both programs: the sample server runs inside the program, and every request goes
// to it, so the program shows its invented charts with no network and leaves nothing behind.
namespace vandrel {

class CurlTransfer;

namespace demo {

// Starts the sample server on a free port of 127.0.0.1 for as long as the application object
// lives. `program` names the program in what it writes to standard error: the server's
// address when `announce` is set, and why it cannot listen when it returns false.
bool startSampleServer(const char* program, bool announce);

// Sends every request of `transfer` to the sample server once it runs, whatever the proxy
// settings of the environment; before that it changes nothing.
void routeToSampleServer(CurlTransfer& transfer);

} // namespace demo
} // namespace vandrel
