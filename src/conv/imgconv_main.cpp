#include "common/translation.h"

#include "conv/conv_command.h"

int main(int argc, char** argv) {
    startLocale();
    return runConvCommand(argc, argv);
}
