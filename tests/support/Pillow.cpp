#include "Pillow.h"

#include <cstdlib>

std::string PythonWithPillow() {
    for (const char* python : {"python3", "/usr/bin/python3"}) {
        std::string probe = std::string(python) + " -c 'import PIL' >/dev/null 2>&1";
        if (std::system(probe.c_str()) == 0) return python;
    }
    return {};
}
