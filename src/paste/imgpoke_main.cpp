#include "common/translation.h"

#include "paste/paste_command.h"

int main(int argc, char** argv) {
    startLocale();
    return runPasteCommand(argc, argv);
}
