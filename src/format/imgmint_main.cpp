#include <clocale>

#include "format/format_command.h"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    return runFormatCommand(argc, argv);
}
