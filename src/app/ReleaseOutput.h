// SPDX-License-Identifier: MIT
#pragma once

// What a release build may print: nothing, except the few critical lines that explain why it
// stopped. Libraries such as libpng and libtiff write warnings straight to file descriptor 2,
// past Qt's message handler, and those can describe the clipboard's contents.
namespace ReleaseOutput {
// Qt's messages: our own critical and fatal ones only, to the original standard error.
void installMessageHandler();
// Points standard output and standard error at /dev/null; the message handler keeps a copy of
// the original standard error. Call once the start-up decisions have been reported.
void silenceStandardStreams();
}  // namespace ReleaseOutput
