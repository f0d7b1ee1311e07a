#include "common/translation.h"

#include "peek/peek_command.h"

int main(int argc, char** argv) {
    startLocale();
    return runPeekCommand(argc, argv);
}
