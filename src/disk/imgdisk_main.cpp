#include <clocale>

#include "disk/disk_command.h"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    return runDiskCommand(argc, argv);
}
