#include "cli/FileListReader.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace {

std::string Failure(const std::string& name, int code) {
    return name + ": " + std::generic_category().message(code);
}

}  // namespace

void TFileListReader::TClose::operator()(std::FILE* file) const {
    if (file != stdin) std::fclose(file);
}

TFileListReader::TFileListReader(const std::string& name, char separator)
    : name_(name), separator_(separator) {
    file_.reset(name == "-" ? stdin : std::fopen(name.c_str(), "rb"));
    if (!file_) throw TFileListError(Failure(name, errno));
}

bool TFileListReader::Next(std::string& path) {
    char* line = line_.release();
    errno = 0;
    ssize_t length = ::getdelim(&line, &capacity_, separator_, file_.get());
    line_.reset(line);
    if (length < 0) {
        if (std::ferror(file_.get())) throw TFileListError(Failure(name_, errno ? errno : EIO));
        return false;
    }
    if (length > 0 && line[length - 1] == separator_) --length;
    path.assign(line, static_cast<std::size_t>(length));
    return true;
}
