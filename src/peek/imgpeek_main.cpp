#include <clocale>

#include "peek/peek_command.h"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    return runPeekCommand(argc, argv);
}
