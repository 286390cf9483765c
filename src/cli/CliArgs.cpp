#include "cli/CliArgs.h"

#include <charconv>

namespace {

bool parseInt(const std::string& s, int& out) {
    if (s.empty()) return false;
    auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool endsWith(const std::string& s, const std::string& tail) {
    if (s.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        char c = s[s.size() - tail.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != tail[i]) return false;
    }
    return true;
}

// Shared walk over the arguments; exportOnly limits the options to those of export.
std::optional<RenderArgs> parse(const std::vector<std::string>& args, std::string& error,
                                bool exportOnly) {
    RenderArgs a;
    bool haveDir = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& v) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            v = args[++i];
            return true;
        };
        auto number = [&](int& n, int lo, int hi) {
            std::string v;
            if (!value(v)) return false;
            if (!parseInt(v, n) || n < lo || n > hi) {
                error = arg + " takes a whole number from " + std::to_string(lo) + " to " +
                        std::to_string(hi);
                return false;
            }
            return true;
        };
        std::string v;
        if (arg == "--unit") {
            if (!value(v)) return std::nullopt;
            a.unit = parseUnitRef(v);
            if (!a.unit) {
                error = "--unit takes L.S.U or L.S.U.R, for example 1.2.3";
                return std::nullopt;
            }
        } else if (arg == "-o" || arg == "--output") {
            if (!value(a.out)) return std::nullopt;
        } else if (arg == "--prp") {
            if (!value(a.prpFile)) return std::nullopt;
        } else if (!exportOnly && arg == "--dpi") {
            if (!number(a.dpi, 72, 2400)) return std::nullopt;
        } else if (!exportOnly && arg == "--mode") {
            if (!value(v)) return std::nullopt;
            if (v != "printer" && v != "screen") {
                error = "--mode takes printer or screen";
                return std::nullopt;
            }
            a.printerMode = v == "printer";
        } else if (!exportOnly && arg == "--copies") {
            if (!number(a.copies, 1, 999)) return std::nullopt;
        } else if (!exportOnly && arg == "--start") {
            if (!number(a.start, 1, 99999)) return std::nullopt;
        } else if (!exportOnly && arg == "--numbered") {
            a.numbered = true;
        } else if (!exportOnly && arg == "--answers") {
            a.answers = true;
        } else if (arg == "--vary") {
            if (!value(v)) return std::nullopt;
            std::uint64_t seed = 0;
            const auto r = std::from_chars(v.data(), v.data() + v.size(), seed);
            if (v.empty() || v.size() > 18 || r.ec != std::errc() || r.ptr != v.data() + v.size()) {
                error = "--vary takes a seed of 1 to 18 digits, for example 20261208";
                return std::nullopt;
            }
            a.vary = seed;
        } else if (exportOnly && arg == "--copy") {
            if (!number(a.copy, 1, 9999)) return std::nullopt;
        } else if (!exportOnly && arg == "--key-booklet") {
            a.keyBooklet = true;
        } else if (!exportOnly && arg == "--school") {
            if (!value(v)) return std::nullopt;
            a.school = v;
        } else if (!arg.empty() && arg[0] == '-') {
            error = "unknown option " + arg;
            return std::nullopt;
        } else if (!haveDir) {
            a.courseDir = arg;
            haveDir = true;
        } else {
            error = "unexpected argument " + arg;
            return std::nullopt;
        }
    }
    if (exportOnly) {
        if (a.vary && a.unit.has_value() == !a.prpFile.empty()) {
            error = "give exactly one of --unit and --prp";
            return std::nullopt;
        }
        if (!a.vary && (!a.unit || !a.prpFile.empty())) {
            error = a.unit ? "--prp goes with --vary SEED --copy N" : "--unit is required";
            return std::nullopt;
        }
        if (a.vary.has_value() != (a.copy > 0)) {
            error = "--vary SEED and --copy N go together";
            return std::nullopt;
        }
        return a;
    }
    if (a.unit.has_value() == !a.prpFile.empty()) {
        error = "give exactly one of --unit and --prp";
        return std::nullopt;
    }
    if (a.out.empty()) {
        error = "-o OUT is required";
        return std::nullopt;
    }
    if (!endsWith(a.out, ".png") && !endsWith(a.out, ".pdf")) {
        error = "OUT must end in .png or .pdf";
        return std::nullopt;
    }
    if (a.keyBooklet && !a.vary) {
        error = "--key-booklet needs --vary SEED";
        return std::nullopt;
    }
    if (a.vary) {
        const char* refused = !endsWith(a.out, ".pdf") ? "--vary writes a PDF file (OUT.pdf)"
                              : !a.printerMode         ? "--vary prints in --mode printer"
                              : !a.numbered ? "--vary needs --numbered: each copy carries its number"
                              : a.keyBooklet && a.answers ? "give one of --answers and --key-booklet"
                                                          : nullptr;
        if (refused) {
            error = refused;
            return std::nullopt;
        }
    }
    return a;
}

} // namespace

std::optional<UnitRef> parseUnitRef(const std::string& text) {
    int parts[4] = {0, 0, 0, 0};
    int count = 0;
    std::size_t start = 0;
    while (start <= text.size() && count < 5) {
        std::size_t dot = text.find('.', start);
        std::string piece =
            text.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        int n = 0;
        if (count >= 4 || !parseInt(piece, n) || n < 0) return std::nullopt;
        parts[count++] = n;
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    if (count < 3 || parts[0] < 1 || parts[1] < 1 || parts[2] < 1) return std::nullopt;
    return UnitRef{parts[0], parts[1], parts[2], parts[3]};
}

std::optional<RenderArgs> parseRenderArgs(const std::vector<std::string>& args,
                                          std::string& error) {
    return parse(args, error, false);
}

std::optional<RenderArgs> parseExportArgs(const std::vector<std::string>& args,
                                          std::string& error) {
    return parse(args, error, true);
}
