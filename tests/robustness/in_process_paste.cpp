#include "robustness/in_process_paste.h"

#include "argument_vector.h"
#include "captured_output.h"
#include "paste/paste_command.h"

// The process keeps the "C" locale, so the texts come out in UTF-8 as a
// program run under C.UTF-8 prints them.
ProgramResult pasteInProcess(const std::vector<std::string>& arguments) {
    std::vector<std::string> texts = arguments;
    std::vector<char*> argv = argumentVector("imgpoke", texts);
    ProgramResult result;
    CapturedOutput output;
    result.exitStatus = runPasteCommand(static_cast<int>(argv.size()) - 1, argv.data());
    result.err = output.finish();
    result.out = output.standardOutput();
    return result;
}
