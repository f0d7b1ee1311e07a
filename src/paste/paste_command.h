#pragma once

// The whole imgpoke run: pastes a host file into sectors of a D88 image and
// prints one line; returns the process exit status.
int runPasteCommand(int argc, char** argv);
