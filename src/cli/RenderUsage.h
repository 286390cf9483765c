#pragma once
// The usages of velmix render and velmix export, told by the command line and by the
// commands themselves (which run in a module of their own).

inline constexpr const char* RenderUsage =
    "usage: velmix render [COURSE_DIR] (--unit L.S.U[.R] | --prp FILE) -o OUT.png|OUT.pdf\n"
    "                     [--answers] [--school TEXT] [--dpi D] [--mode printer|screen]\n"
    "                     [--copies N] [--numbered] [--start K]\n"
    "                     [--vary SEED [--key-booklet]]\n"
    "--vary SEED (with --numbered, to a PDF): each copy gets new numbers made from SEED and\n"
    "its number, with keys the answer-key check confirms; the header shows the copy's version\n"
    "code (V<SEED>-<copy>). With --answers each copy's answer sheet, with --key-booklet a\n"
    "table of every copy's keys. The same SEED prints the same set again.\n";
inline constexpr const char* ExportUsage =
    "usage: velmix export [COURSE_DIR] --unit L.S.U[.R] [-o FILE.prp]\n"
    "       velmix export [COURSE_DIR] (--unit L.S.U[.R] | --prp FILE) --vary SEED --copy N\n"
    "                     [-o FILE.prp]\n"
    "Writes the unit as a worksheet file (Shift-JIS), to standard output without -o; with\n"
    "--vary SEED --copy N, copy N of the varied set SEED, its keys between the # pairs.\n";
