#include <clocale>

#include "conv/conv_command.h"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    return runConvCommand(argc, argv);
}
