#pragma once

#include <ostream>
#include <string>
#include <vector>

// `list [--json] [-r] [--mask MASK] PATH...`: reads every path and prints the images found.
// A folder is listed by its files that match the mask; with -r by those of every folder
// below it as well.
int RunListCommand(const std::vector<std::string>& args, std::ostream& out);
