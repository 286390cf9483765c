#pragma once
// The parts of a course check run in worker processes: the algebra library of the key check
// keeps state that threads cannot share, so each worker is a process of its own, forked
// from the checking process after the course's indexes are read. Each worker checks one part
// at a time and sends its findings back through a pipe; they are put in the parts' order, so
// the report is the same whatever the number of workers.
//
// A worker that dies, or spends longer than the time allowed on one part, is ended; that
// part is then checked in the checking process without its keys, and a problem at the part's
// place says so. The other parts go on in a new worker.

#include <vector>

#include "checks/CourseCheck.h"

struct WorkerOptions {
    unsigned workers = 1;    // processes at once (at least 1)
    int secondsPerPart = 60; // the time allowed for one part
};

std::vector<CourseCheckReport> RunPartsInWorkers(const CheckParts& parts,
                                                 const WorkerOptions& options);

// Processors this process may run on (its affinity), at least 1.
unsigned UsableProcessors();

// "解答の確かめが止まりました（WHY）：この部分の解答は確かめていません" (Shift-JIS).
std::string StoppedPartText(const std::string& whyUtf8);
