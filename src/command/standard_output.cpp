#include "command/standard_output.h"

#include <cstdio>

#include "common/messages.h"

bool standardOutputComplete() { return std::fflush(stdout) == 0 && std::ferror(stdout) == 0; }

ExitStatus endAfterResultLine(ExitStatus failure) {
    if (!standardOutputComplete()) {
        printMessage<Message::StandardOutputWriteFailed>(stderr);
        return failure;
    }
    return kExitSuccess;
}
