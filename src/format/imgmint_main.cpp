#include "common/translation.h"

#include "format/format_command.h"

int main(int argc, char** argv) {
    startLocale();
    return runFormatCommand(argc, argv);
}
