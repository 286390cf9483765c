#include "cli/Modules.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#ifndef VELMIX_MODULES_FROM_BIN
#define VELMIX_MODULES_FROM_BIN "../lib/velmix"
#endif

namespace {

// The folder the running program lies in, with a trailing "/"; empty when unknown.
std::string programFolder() {
    std::vector<char> path(4096);
    const ssize_t n = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (n <= 0) return {};
    const std::string exe(path.data(), static_cast<std::size_t>(n));
    const std::size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

} // namespace

int runModule(const char* name, const char* entry, int argc, char** argv) {
    const std::string folder = programFolder();
    const std::string file = std::string(name) + ".so";
    // Beside the program in a build folder; in the module folder once installed.
    std::string tried;
    void* module = nullptr;
    for (const std::string& path : {folder + file, folder + VELMIX_MODULES_FROM_BIN "/" + file}) {
        // Functions are bound when first called: the windows start without resolving
        // every toolkit function they might ever call.
        module = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
        if (module) break;
        const char* why = dlerror();
        tried += std::string("\n  ") + (why ? why : path.c_str());
    }
    if (!module) {
        std::fprintf(stderr, "velmix: the module %s cannot be loaded:%s\n", name, tried.c_str());
        return 2;
    }
    using Entry = int (*)(int, char**);
    auto run = reinterpret_cast<Entry>(dlsym(module, entry));
    if (!run) {
        std::fprintf(stderr, "velmix: the module %s has no %s\n", name, entry);
        return 2;
    }
    // The module stays loaded until the program ends: its objects may outlive this call.
    return run(argc, argv);
}
