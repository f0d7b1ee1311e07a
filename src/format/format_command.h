#pragma once

// The whole imgmint run: argv in, "NEW.D88" and one line out; returns the
// process exit status.
int runFormatCommand(int argc, char** argv);
