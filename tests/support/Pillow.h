#pragma once

#include <string>

// An interpreter that has Pillow (python3-pil), or empty when none has.
std::string PythonWithPillow();
