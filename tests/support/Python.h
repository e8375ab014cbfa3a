#pragma once

#include <string>

// An interpreter that has these modules ("PIL", or "PIL, pefile"), or empty when none has.
std::string PythonWith(const std::string& modules = "PIL");
