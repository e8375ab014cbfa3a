#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ByteBuilder.h"

// The parts of a Shell Link (.lnk); the flags follow from the parts set. Strings are ASCII.
struct ShellLinkSpec {
    std::int32_t iconIndex = 0;
    bool unicode = true;                       // IsUnicode: string data as UTF-16
    std::optional<std::uint16_t> idListSize;   // an ID list of that many zero bytes
    std::optional<std::string> localBasePath;  // link info, with commonPathSuffix
    std::string commonPathSuffix;
    std::optional<std::string> relativePath;  // string data
    std::optional<std::string> iconLocation;
    std::optional<std::string> environmentTarget;  // EnvironmentVariableDataBlock
    std::optional<std::string> iconEnvironment;    // IconEnvironmentDataBlock, with HasExpIcon
};

ByteString BuildShellLink(const ShellLinkSpec& shape);
