// imgconv's exit statuses.
#pragma once

enum ConvExitStatus : int {
    kExitSuccess = 0,
    kExitFailure = 1,  // usage, a refusal, or a file that could not be read or written
};
