#include "Python.h"

#include <cstdlib>

std::string PythonWith(const std::string& modules) {
    for (const char* python : {"python3", "/usr/bin/python3"}) {
        std::string probe = std::string(python) + " -c 'import " + modules + "' >/dev/null 2>&1";
        if (std::system(probe.c_str()) == 0) return python;
    }
    return {};
}
