#include "writers/FileOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "writers/WriterError.h"

namespace {

struct TFileCloser {
    void operator()(std::FILE* File) const { std::fclose(File); }
};
using TFileHandle = std::unique_ptr<std::FILE, TFileCloser>;

[[noreturn]] void RaiseFileError(const char* What, const std::string& FileName, int Error) {
    // A short write can leave errno unset; it still is an input/output failure.
    throw TWriteError(std::string(What) + " \"" + FileName + "\". " +
                      std::strerror(Error != 0 ? Error : EIO));
}

// Only plain files and links are replaced; a folder, device or pipe of that name stays and
// makes the creation fail.
void DeleteOldFile(const std::string& FileName) {
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::symlink_status(FileName, error);
    if (error) return;
    if (std::filesystem::is_regular_file(status) || std::filesystem::is_symlink(status))
        std::filesystem::remove(FileName, error);
}

}  // namespace

void WriteWholeFile(const std::string& FileName, ByteView Data) {
    DeleteOldFile(FileName);
    // "x": the name must be free now, so nothing that appeared meanwhile is overwritten.
    TFileHandle file(std::fopen(FileName.c_str(), "wbx"));
    if (!file) RaiseFileError("Cannot create file", FileName, errno);
    if (!Data.empty() && std::fwrite(Data.data(), 1, Data.size(), file.get()) != Data.size())
        RaiseFileError("Cannot write file", FileName, errno);
    if (std::fclose(file.release()) != 0) RaiseFileError("Cannot write file", FileName, errno);
}
