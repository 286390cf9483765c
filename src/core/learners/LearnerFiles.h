#pragma once
// Where a learner's files lie: the records file of a lesson, the rosters, and the key of a
// unit's records section.

#include <string>
#include <vector>

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
// inside the master folder; otherwise a file of logOnFolder (the records log-on folder):
// RecordsFolderFileName, or the older "<learner><lesson>.ini" when only that exists and
// no other learner and lesson of the course could own it. "" when the learner's name
// would lead out of the folder, so that nothing is written elsewhere.
std::string LearnerFile(Files& files, const CourseTables& course, const std::string& learner,
                        const std::string& logOnFolder, int lesson);

// A learner's file of one lesson in the records folder: "<learner>(<lesson>).ini". The
// lesson in brackets ends the name, so no two learners and lessons share a file.
std::string RecordsFolderFileName(const std::string& learner, int lesson);

// Who may own a file of the records folder: "<name>(<lesson>).ini" names one learner and
// lesson; the older "<name><lesson>.ini" every split into a name and a lesson from 1 to
// lessons ("taro11.ini" is taro1's lesson 1 and taro's lesson 11). Empty for other files.
struct RecordsFolderOwner {
    std::string learner;
    int lesson = 0;
};
std::vector<RecordsFolderOwner> RecordsFolderOwners(const std::string& fileName, int lessons);

// The folder of the rosters ("sname.txt"): master folder + "LogOn\", or the records log-on
// folder when the master folder is on a CD-ROM.
std::string LogOnFolder(const CourseTables& course, const std::string& logOnFolder);
