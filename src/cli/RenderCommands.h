#pragma once
// velmix render and velmix export.

#include <memory>
#include <string>
#include <vector>

class QGuiApplication;

// The application that fonts and pictures need; offscreen when no platform is set.
std::unique_ptr<QGuiApplication> makeApplication();

// args: the arguments after the sub-command name. Return the exit status: 0 done,
// 1 the worksheet could not be opened or written, 2 a usage error.
int runRender(const std::vector<std::string>& args);
int runExport(const std::vector<std::string>& args);

// Their usage texts.
const char* renderUsage();
const char* exportUsage();
