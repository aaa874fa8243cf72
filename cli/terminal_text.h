#pragma once

#include <QString>

namespace vandrel {

// True for a character that a terminal acts on instead of showing it, or that reorders what it
// shows: the C0 controls but the line feed, DEL, the C1 controls (U+009B alone starts a CSI on
// many terminals) and the Unicode bidirectional controls.
bool actsOnTerminal(char16_t c);

// `c` written as a \uNNNN escape, four lower-case hex digits.
QString unicodeEscape(char16_t c);

// Text from the network as it may reach a terminal: each character that acts on it written out
// as a visible escape, \xNN up to U+009F (ESC is \x1b) and \uNNNN above (U+202E is \u202e).
// A backslash stays as it is, so an escape cannot be told from the same characters sent as text.
QString terminalText(const QString& text);

// Whether standard output is a terminal, asked once: there text from outside goes through
// terminalText, while in a pipe machine output stays byte for byte.
bool standardOutputIsTerminal();

} // namespace vandrel
