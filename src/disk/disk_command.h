#pragma once

// The whole imgdisk run: picks the command by its word, checks the number of
// arguments and runs it; returns the process exit status.
int runDiskCommand(int argc, char** argv);
