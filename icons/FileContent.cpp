#include "icons/FileContent.h"

#include <fstream>
#include <iterator>

ByteString ReadFileContent(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw TReadError("Cannot open file \"" + path + "\"");
    ByteString content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw TReadError("Cannot read file \"" + path + "\"");
    return content;
}
