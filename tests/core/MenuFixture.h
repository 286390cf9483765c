#pragma once
// A small course for the unit menu and the opening flows: two lessons, the first with
// two sections whose question unit files hold similar questions, and the learner's
// records file.

#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "formats/CourseIndex.h"
#include "shell/UnitMenu.h"

class MenuFixture : public ::testing::Test, public CourseFixture {
  protected:
    int relayouts = 0;

    MenuFixture() {
        p.session.startupDone = true;
        p.shell.ruidaiScanPending = true;
        p.sheets.relayout = [this](Worksheet&) { ++relayouts; };
        putLines("Main.ind", {"数学", "", "方程式,Eq1\\ eq1", "関数,Fn1\\ fn1", ">>"});
        putLines("Eq1\\eq1.ind",
                 {"方程式の問題", "[[sect1", "１次方程式", "<<", "(1) 移項", "(2) かっこ",
                  "(3) 小数", ">>", "]]", "[[sect2", "文章題", "<<", "(1) 代金", ">>", "]]"});
        putLines("Eq1\\eq11.que", concat({unitBlock("[[unit1", {"(1)　2x＝6　x＝#3#"}),
                                          unitBlock("[[unit1R1", {"(1)　3x＝6　x＝#2#"}),
                                          unitBlock("[[unit2", {"(1)　2(x+1)=4　x=#1#"}),
                                          unitBlock("[[unit2R2", {"(1)　x=#0#"}),
                                          unitBlock("[[unit3", {"(1)　0.5x=1　x=#2#"})}));
        putLines("Eq1\\eq12.que", unitBlock("[[unit1", {"(1)　代金　#100#円"}));
        putLines("Fn1\\fn1.ind",
                 {"関数の問題", "[[sect1", "１次関数", "<<", "(1) 変化の割合", ">>", "]]"});
        putLines("Fn1\\fn11.que", unitBlock("[[unit1", {"(1)　y=2x　#2#"}));
        fp.files.makeDir(std::string(Master) + "LogOn\\");
        p.shell.logOnFolder = "C:\\data\\Velmix\\LogOn\\";
        LoadLessonList(fp.files, p.course);
    }

    // The learner 共通's records (section names in UTF-8): count runs per section.
    void records(const std::vector<std::pair<std::string, int>>& sections) {
        std::string text;
        for (const auto& [name, count] : sections) {
            text += "[" + name + "]\n";
            for (int i = 1; i <= count; ++i)
                text += std::to_string(i) + "=2026年12月07日 09:05 [1] 1/ 1 100点 00:10\n";
        }
        put("Eq1\\共通.ini", text);
    }

    std::vector<std::string> items() const {
        std::vector<std::string> out;
        int n = p.menu.section >= 0 ? p.course.sectionUnitCount[p.menu.section + 1] : 0;
        for (int i = 0; i < n; ++i)
            out.push_back(U(UnitItemText(p, i)));
        return out;
    }
};
