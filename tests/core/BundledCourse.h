#pragma once
// The question lines of every unit of the bundled course, read from the source tree.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "text/Lines.h"

struct CourseUnit {
    std::string file; // "Eq1/eq11.que"
    Lines ques;       // its "<<ques" block (Shift-JIS)
};

inline std::vector<CourseUnit> courseUnits() {
    std::vector<CourseUnit> out;
    for (const char* file :
         {"Eq1/eq11.que", "Eq1/eq12.que", "Eq1/eq13.que", "Eq1/eq14.que", "Eq2/eq21.que",
          "Eq2/eq22.que", "Fn1/fn11.que", "Fn1/fn12.que", "Fn1/fn13.que"}) {
        std::ifstream in(std::string(VELMIX_SOURCE_DIR) + "/course/" + file, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        const Lines lines = lines::split(bytes.str());
        EXPECT_FALSE(lines.empty()) << file;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] != "<<ques") continue;
            CourseUnit u{file, {}};
            for (++i; i < lines.size() && lines[i] != ">>"; ++i)
                u.ques.push_back(lines[i]);
            out.push_back(std::move(u));
        }
    }
    return out;
}
