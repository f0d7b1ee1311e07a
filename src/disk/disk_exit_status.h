// The exit statuses of imgdisk, as in the other programs.
#pragma once

enum DiskExitStatus : int {
    kDiskExitSuccess = 0,
    kDiskExitFailure = 1,  // refused or failed; nothing was changed
};
