#pragma once

#include <stdexcept>

// Raised by every image writer when its file cannot be created or written. The message is one
// of the writers' fixed texts (for example "Error Writing PNG File!") and is shown to the user
// as it is.
class TWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
