// The "-s" flag of imgpoke and imgpeek: when it is the first argument, the
// run is single-sided and the other arguments move on by one.
#pragma once

struct FlaggedArguments {
    bool singleSided = false;
    int count = 0;           // arguments after the program name and the flag
    char** values = nullptr;  // values[1] is the first of them
};

FlaggedArguments takeSingleSidedFlag(int argc, char** argv);
