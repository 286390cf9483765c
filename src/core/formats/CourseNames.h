#pragma once
// The names the course gives its files and units: a unit's question unit file, window key
// and block header, a lesson's folder and index file, where graph pictures lie. Names built
// from the course's own lines never lead out of the master folder.

#include <optional>
#include <string>

#include "formats/CourseTables.h"
#include "formats/UnitRef.h"
#include "platform/Files.h"

// "" for 0, else "R" + n.
std::string RuidaiSuffix(int n);
// "[[unit" + Unit + RuidaiSuffix(Ruidai).
std::string UnitBlockKey(const UnitRef& r);

// True when lesson L's folder and base (from "Main.ind") lead to files inside the master
// folder. False for lessons outside 1..80.
bool LessonInside(const CourseTables& course, int lesson);

struct UnitNames {
    std::string queFile;   // master folder + LessonFolder + LessonBase + Section + ".que"
    std::string windowKey; // queFile + "-U" + Unit + RuidaiSuffix
    std::string shortKey;  // LessonBase + Section + ".que-U" + Unit + RuidaiSuffix
};
// A lesson outside 1..80 has no table entry and gives empty folder and base; a lesson
// whose entries leave the master folder gives empty names.
UnitNames UnitFileNames(const CourseTables& course, const UnitRef& r);

// The lesson index file path of lesson L: master folder + folder + base + ".ind".
std::string LessonIndexPath(const CourseTables& course, int lesson);
// The lesson folder path of lesson L: master folder + folder.
std::string LessonFolderPath(const CourseTables& course, int lesson);

// Lesson folder + "Graph\" when it exists (and the lesson stays inside the master
// folder), else master folder + "Graph\" when that exists, else "". Lessons below 1
// count as 1.
std::string GraphFolder(Files& files, const CourseTables& course, int lesson);
// Where a graph picture named in a unit lies: graphFolder (as GraphFolder gave it; "" means
// the master folder) + name. Nothing when the name is absolute or leads out of the master
// folder.
std::optional<std::string> GraphPicturePath(const std::string& masterFolder,
                                            const std::string& graphFolder,
                                            const std::string& name);
