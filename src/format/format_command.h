#pragma once

#include "common/messages.h"
#include "format/image_builder.h"
#include "format/image_geometry.h"
#include "format/media_presets.h"

// The outcome of reading imgmint's command line: either a preset and the
// geometry to build, or the message and exit status of a refusal.
struct FormatRequest {
    bool accepted = false;
    const MediaPreset* preset = nullptr;
    ImageGeometry geometry;
    Message refusal = Message::FormatUsage;  // FormatUsage: print the whole usage block
    int exitStatus = 0;
    const char* outputPath = "NEW.D88";  // in the current directory unless -o names a file
    bool outputNamed = false;
};

// The message that tells the user why a geometry cannot be laid out.
Message geometryProblemMessage(GeometryProblem problem);

// Reads the command line (lowering the MediaType argument in place) and checks
// that the geometry can be laid out. Touches no file.
FormatRequest readFormatRequest(int argc, char** argv);

// The whole imgmint run: argv in, "NEW.D88" (or the -o file) and one line
// out; returns the process exit status.
int runFormatCommand(int argc, char** argv);
