#pragma once

#include <ostream>
#include <string>
#include <vector>

// `list [--json] PATH...`: reads every path and prints the images found.
int RunListCommand(const std::vector<std::string>& args, std::ostream& out);
