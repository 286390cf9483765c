#pragma once
// A program with fake services, a course folder and a unit in the parse buffer, ready
// to create worksheets from. Relayouts are counted instead of drawn.

#include <gtest/gtest.h>

#include "Fakes.h"
#include "Program.h"
#include "text/Sjis.h"
#include "worksheet/WorksheetDocument.h"

// Pictures kept in the memory file service, so that saving one makes a file appear.
// With dropSaves set, saving writes nothing.
class FilePictures : public MemoryPictures {
  public:
    explicit FilePictures(MemoryFiles& files) : files_(files) {}
    bool dropSaves = false;
    int saves = 0;
    bool saveBmp(const std::string& path, const Bitmap& picture) override {
        ++saves;
        if (dropSaves) return false;
        files_.put(path, "BM");
        return MemoryPictures::saveBmp(path, picture);
    }
    void add(const std::string& path, int w, int h) {
        files_.put(path, "BM");
        MemoryPictures::saveBmp(path, Bitmap(w, h));
    }

  private:
    MemoryFiles& files_;
};

class SheetFixture : public ::testing::Test {
  protected:
    FakePlatform fake;
    FilePictures pictures{fake.files};
    Platform platform{fake.files,  fake.prompter, fake.clock,   fake.registry, pictures,
                      fake.random, fake.timers,   "C:\\course", "C:\\data\\"};
    Program program{platform};
    int relayouts = 0;

    SheetFixture() {
        program.course.masterFolder = "C:\\course\\";
        program.session.startupDone = true;
        program.sheets.answersShown = true;
        program.sheets.defaultFontFace = J("ＭＳ 明朝");
        program.course.lessonFolder[1] = "Eq1\\";
        program.course.lessonBase[1] = "eq1";
        program.sheets.relayout = [this](Worksheet&) { ++relayouts; };
        ParseBuffer& b = program.parse;
        b.title = J("方程式//１次方程式§1-1 (1) 移項");
        b.school = J("中学校");
        b.nameField = J("　年　組　番　氏名");
        b.questions = {J("(1)　2x＝6　　x＝#3#"), J("(2)　x＋4＝9　　x＝#5#")};
        b.value = {"630", "False", "40", "5", "5", "1", "7"};
        b.font = {"12", J("MS 明朝"), "False", "False", "False", "False", "0"};
        b.kran = {"5", "15", "2", "0", "0", "0", "15", "10", "0", "0"};
    }

    static SheetOrigin origin(const std::string& key) {
        SheetOrigin o;
        o.ref = UnitRef{1, 1, 1, 0};
        o.windowKey = key;
        o.printName = "eq11.que-U1";
        return o;
    }

    // Creates a worksheet from the buffer and activates it, as opening a unit does.
    Worksheet& open(const std::string& key = "C:\\course\\Eq1\\eq11.que-U1") {
        Worksheet& sheet = CreateWorksheet(program, origin(key));
        ActivateWorksheet(program, sheet);
        return sheet;
    }

    std::vector<std::string> messages() const { return fake.prompter.utf8(); }
};
