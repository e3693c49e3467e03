#pragma once
// The game's command line: --version and --help, each answered on standard output before any
// window, dialog or sound exists, and the help's list of the environment settings the program
// reads. Any other argument is refused with a pointer to --help.

// What main() does with its arguments: -1 to start the game, else the exit status to end with
// at once (0 after --version or --help, 1 when --version found no package to hash, 2 for an
// argument the game does not take).
int answerCommandLine(int argc, char** argv);

// The text --help prints: the options, then the environment settings, the test settings among
// them marked "(test)".
const char* helpText();
