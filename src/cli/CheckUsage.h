#pragma once
// The usage of velmix check, told by the command line and by the check itself.

inline constexpr const char* CheckUsage =
    "usage: velmix check [--keys] [COURSE_DIR]\n"
    "Reads the course (default: the working directory) as the program would and prints\n"
    "every problem as PATH:LINE: MESSAGE. Exit status 0 without problems, 1 with problems,\n"
    "2 when the course cannot be read.\n"
    "--keys also solves every question it can read as mathematics (equations, pairs of\n"
    "equations, expressions, straight lines) and compares the answer keys with the\n"
    "solution; it prints each wrong key and ends with \"keys: V checked, W wrong, N not\n"
    "checked\" (V counts the wrong keys too). Wrong keys make the exit status 1.\n"
    "The check runs on every processor it may use; VELMIX_CHECK_WORKERS=N in the\n"
    "environment sets how many threads (with --keys: processes) it runs on, 1 for one.\n"
    "A key-check process that stops or takes longer than VELMIX_CHECK_PART_SECONDS\n"
    "(default 60) on one file is ended; that file is checked without its keys\n"
    "and the check says so at the file's section line.\n";
