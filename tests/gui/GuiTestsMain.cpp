// The window test program: every test class that registered itself, or the one named first on
// the command line (the rest of the command line goes to Qt Test, as for a program of its own).
#include "GuiTests.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {
std::map<std::string, GuiTestMaker>& Registry() {
    static std::map<std::string, GuiTestMaker> tests;
    return tests;
}
}  // namespace

bool RegisterGuiTest(const char* name, GuiTestMaker make) {
    return Registry().emplace(name, std::move(make)).second;
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::vector<std::string> names;
    std::vector<char*> rest{argv[0]};
    if (argc > 1 && argv[1][0] != '-') {
        if (!Registry().count(argv[1])) {
            std::fprintf(stderr, "no window test class %s\n", argv[1]);
            return 2;
        }
        names.push_back(argv[1]);
        rest.insert(rest.end(), argv + 2, argv + argc);
    } else {
        for (const auto& [name, make] : Registry()) names.push_back(name);
        rest.insert(rest.end(), argv + 1, argv + argc);
    }
    int failed = 0;
    for (const std::string& name : names) {
        const std::unique_ptr<QObject> test = Registry()[name]();
        failed += QTest::qExec(test.get(), static_cast<int>(rest.size()), rest.data());
    }
    return failed == 0 ? 0 : 1;
}
