// A model of one imgpoke run, written from the documented rules and not from
// the program's code, to say what a paste must print and what the image must
// hold afterwards. It works on the image's bytes alone and reads every record
// header afresh at every sector search, straight from the bytes as the run so
// far has left them, with none of the program's indexing or buffering; so it
// also predicts runs on damaged and cut files, and on images where a write
// changes what a later search reads as a header.
#pragma once

#include <string>
#include <vector>

#include "support/temp_dir.h"

struct PasteCase {
    bool singleSided = false;
    int disk = 0;
    int track = 0;
    int sectorNumber = 1;
};

struct PastePrediction {
    int exitStatus = 1;
    std::string out;
    std::string err;
    Bytes image;  // the file after the run
};

PastePrediction predictPaste(const Bytes& image, const Bytes& source, const PasteCase& paste);

// The sector numbers the case's start track lists, in stored order; none
// when the disk is not in the image.
std::vector<int> listedSectorNumbers(const Bytes& image, const PasteCase& paste);

// The imgpoke arguments of the case, after the program name.
std::vector<std::string> pasteArguments(const PasteCase& paste, const std::string& imagePath,
                                        const std::string& sourcePath);
