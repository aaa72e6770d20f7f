#pragma once

/**
 * Orvanta's commands: making the PDFs of campaign files without a window. The window stays what the program
 * does when none of its command options is given.
 */
namespace CommandLine {
/** True when the arguments hold one of the command options (or --help, --version). */
bool isCommand(int argc, char* argv[]);

/** Runs the command without a window or display and returns the exit status. */
int run(int argc, char* argv[]);
} // namespace CommandLine
