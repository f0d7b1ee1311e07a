#pragma once

// The whole imgpeek run: lists the disks of a D88 image, lists the tracks of
// one disk, or reads sectors out of it, depending on the number of
// arguments; returns the process exit status.
int runPeekCommand(int argc, char** argv);
