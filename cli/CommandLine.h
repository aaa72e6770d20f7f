#pragma once

#include "FrontEnd.h"

/**
 * Orvanta's commands: making the PDFs of campaign files without a window, and every start the window cannot
 * take, each answered without a display.
 */
namespace CommandLine {
/** Runs the command @p choice calls for (any but the window) and returns the exit status. */
int run(int argc, char* argv[], const FrontEnd::Choice& choice);
} // namespace CommandLine
