#pragma once

// The command line without a window: lumaropad --convert-to txt|rtf [--outdir DIR] FILE...,
// --help and --version. Runs before any application object exists; every file goes through
// the same loading and saving code as the editor.
class HeadlessConverter {
public:
    // Whether the arguments ask for headless use (so main() must not start the window).
    static bool handles(int argc, char** argv);
    // Converts or prints; 0 when every file converted, 1 when one failed, 2 for bad usage.
    static int run(int argc, char** argv);
};
