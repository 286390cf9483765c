#pragma once
// Where a learner's files lie: the records file of a lesson, the rosters, and the key of a
// unit's records section.

#include <string>

#include "formats/CourseTables.h"
#include "formats/UnitRef.h"
#include "platform/Files.h"

// "S" + Section + Unit + the unit's line of the current lesson's SectionUnits.
std::string RecordKey(const CourseTables& course, const UnitRef& r);
// "S" + Section + Unit + unitLine: the records key of a unit whose line is known (a
// worksheet keeps the line of the unit it was made from).
std::string RecordKey(const UnitRef& r, const std::string& unitLine);

// The learner's records file for a lesson (below 1 counts as 1): lesson folder + learner +
// ".ini" when the master folder is not on a CD-ROM and the lesson folder exists and stays
// inside the master folder; otherwise logOnFolder (the records log-on folder) + learner +
// lesson number + ".ini". "" when the learner's name would lead out of the folder, so that
// nothing is written elsewhere.
std::string LearnerFile(Files& files, const CourseTables& course, const std::string& learner,
                        const std::string& logOnFolder, int lesson);

// The folder of the rosters ("sname.txt"): master folder + "LogOn\", or the records log-on
// folder when the master folder is on a CD-ROM.
std::string LogOnFolder(const CourseTables& course, const std::string& logOnFolder);
