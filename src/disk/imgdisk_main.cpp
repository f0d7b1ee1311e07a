#include "common/translation.h"

#include "disk/disk_command.h"

int main(int argc, char** argv) {
    startLocale();
    return runDiskCommand(argc, argv);
}
