// Checks that standard output took everything a program wrote to it: a
// listing or a result line that never arrived is a failure, not a success.
#pragma once

#include "command/exit_status.h"

// Flushes standard output; false when it or an earlier write failed.
bool standardOutputComplete();

// The status to end with after the result line: `failure`, with the message
// printed, when standard output did not take it.
ExitStatus endAfterResultLine(ExitStatus failure);
