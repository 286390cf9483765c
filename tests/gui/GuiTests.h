// Included ahead of every window test file that ends in QTEST_MAIN: instead of a program of its
// own, the file's test class joins the one window test program (GuiTestsMain.cpp), which runs
// the class named on its command line, or every class without one.
#pragma once
#include <QObject>
#include <QtTest>

#include <functional>
#include <memory>

using GuiTestMaker = std::function<std::unique_ptr<QObject>()>;
bool RegisterGuiTest(const char* name, GuiTestMaker make);

#undef QTEST_MAIN
#define QTEST_MAIN(TestObject)                                                                    \
    static const bool registered##TestObject =                                                    \
        RegisterGuiTest(#TestObject, [] { return std::unique_ptr<QObject>(new TestObject); });
