#pragma once
// The course check: reads what the program reads from a course folder and lists every
// problem that would show a message or keep a unit from opening, without any window.

#include <functional>
#include <string>
#include <vector>

#include "keys/KeyCheck.h"

class Canvas;
class Files;

// A canvas showing a page of the given size in layout units, to lay units out on.
using PageCanvasFor = std::function<Canvas&(int width, int height)>;

struct CheckProblem {
    std::string path;    // relative to the course folder, folders joined with "/"
    int line = 0;        // 1-based; 0 when no single line is meant
    std::string message; // Shift-JIS, the program's own text where it has one
    bool key = false;    // a finding of the answer-key check
};

struct CourseCheckReport {
    bool ran = true;   // false when the course cannot be checked at all
    std::string fatal; // why not (Shift-JIS, folders joined with "/"), when ran is false
    std::vector<CheckProblem> problems;
    int unitsChecked = 0; // listed units, offered similar questions and ".prp" files read
    KeyTally keys;        // with CourseCheckOptions::keys
};

// The parts of a check, told in this order: each lesson's own problems, the question file of
// each of its sections, each worksheet file of its folder.
struct CheckParts {
    std::size_t count = 0;
    // Checks part i (0 <= i < count); with keys false its answer keys are left out.
    std::function<CourseCheckReport(std::size_t i, bool keys)> check;
    // Where a problem of part i as a whole is told: the section's line in its lesson's index
    // file, the worksheet file, or the lesson's line in "Main.ind" (message empty).
    std::function<CheckProblem(std::size_t i)> place;
};

struct CourseCheckOptions {
    bool keys = false; // also check every answer key against its question
    // With pages, every unit is also laid out as a worksheet, and boxes that run into each
    // other or are too narrow for their answer are reported at the answer's question line.
    // Each thread of the check calls it once for pages of its own, used and dropped there.
    std::function<PageCanvasFor()> pages;
    // Threads the check runs on, 0 for one per core. The report is the same whatever the
    // number.
    unsigned threads = 0;
    // With keys, when set: runs the parts (each in a process of its own, say, as the algebra
    // library cannot share a process between threads) and returns every part's findings in
    // the parts' order. Unset, keys are checked on one thread.
    std::function<std::vector<CourseCheckReport>(const CheckParts&)> runParts = {};
};

// courseDir is the course folder as a core path ending in "\" (or empty for the files
// service's own root). Paths in the report, and in the messages, are relative to it.
CourseCheckReport CheckCourse(Files& files, const std::string& courseDir,
                              CourseCheckOptions options = {});

// "PATH:LINE: MESSAGE" (Shift-JIS).
std::string FormatProblem(const CheckProblem& p);
