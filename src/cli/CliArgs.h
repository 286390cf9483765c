#pragma once
// Command-line arguments of the render and export sub-commands.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "worksheet/Worksheet.h"

struct RenderArgs {
    std::string courseDir; // native path; empty = working directory
    std::optional<UnitRef> unit;
    std::string prpFile; // native path
    std::string out;     // native path, ".png" or ".pdf"
    int dpi = 600;
    bool printerMode = true; // --mode printer (default) or screen
    int copies = 1;
    bool numbered = false;
    int start = 1;
    bool answers = false;
    std::optional<std::string> school; // UTF-8
    // --vary SEED: numbered copies with new numbers made from the seed and each copy's
    // number; --key-booklet: the table of their keys instead of the copies.
    std::optional<std::uint64_t> vary;
    bool keyBooklet = false;
    int copy = 0; // export --copy N: copy N of the set --vary SEED
};

// Parses "L.S.U" or "L.S.U.R" (positive numbers, R may be 0).
std::optional<UnitRef> parseUnitRef(const std::string& text);

// Parses the arguments after the sub-command name. On a usage error returns nullopt
// and sets error to a one-line reason.
std::optional<RenderArgs> parseRenderArgs(const std::vector<std::string>& args, std::string& error);
// Export takes COURSE_DIR, --unit and -o, and --vary SEED with --copy N.
std::optional<RenderArgs> parseExportArgs(const std::vector<std::string>& args, std::string& error);
