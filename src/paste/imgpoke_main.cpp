#include <clocale>

#include "paste/paste_command.h"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    return runPasteCommand(argc, argv);
}
