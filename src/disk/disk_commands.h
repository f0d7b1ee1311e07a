// The commands of imgdisk. Each takes the arguments after its command word,
// already counted by the dispatcher, and returns the exit status; each
// refusal prints one line and changes no file.
#pragma once

#include <span>

using CommandArguments = std::span<char* const>;

// Files rewritten whole: every output goes through a temporary file.
int runExtract(CommandArguments arguments);  // FILE N OUT
int runSplit(CommandArguments arguments);    // FILE [PREFIX]
int runJoin(CommandArguments arguments);     // OUT IN...
int runRemove(CommandArguments arguments);   // FILE N
int runMove(CommandArguments arguments);     // FILE N M

// Header fields changed in place.
int runName(CommandArguments arguments);     // FILE N TEXT
int runProtect(CommandArguments arguments);  // FILE N on|off
int runMedia(CommandArguments arguments);    // FILE N 2d|2dd|2hd
