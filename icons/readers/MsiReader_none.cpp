#include "icons/readers/MsiReader.h"

// The build without libmsi recognises packages but cannot open them.
std::unique_ptr<TLoadedIcon> ReadMsiFile(const std::string&, const TLoadOptions&) {
    throw TReadError("MSI support not built");
}
