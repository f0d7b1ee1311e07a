// The exit statuses of every program, named once.
#pragma once

enum ExitStatus : int {
    kExitSuccess = 0,
    kExitFailure = 1,    // refused, or an operation failed
    kExitFileError = 2,  // imgmint: its output could not be written
    kExitUsage = -1,     // imgmint without arguments; 255 where statuses are 8 bits wide
};
