#include "writers/OutputFile.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "writers/WriterError.h"

namespace {

// Opens a partial file beside the target that did not exist before ("x" mode), trying a few
// numbered names; returns the handle and its name, or a null handle.
std::FILE* OpenPartial(const std::string& target, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + ".part" + std::to_string(attempt);
        std::FILE* file = std::fopen(name.c_str(), "wbx");
        if (file != nullptr || errno != EEXIST) return file;
    }
    return nullptr;
}

}  // namespace

TOutputFile::TOutputFile(const std::string& FileName) : target_(FileName) {
    std::error_code ignored;
    if (!FileName.empty() && !std::filesystem::is_directory(FileName, ignored))
        file_.reset(OpenPartial(FileName, partial_));
    if (!file_) throw TWriteError("Error Opening File " + FileName + "!");
}

TOutputFile::~TOutputFile() {
    if (!file_) return;
    file_.reset();
    std::error_code ignored;
    std::filesystem::remove(partial_, ignored);
}

void TOutputFile::Write(ByteView Bytes) {
    if (!Bytes.empty()) std::fwrite(Bytes.data(), 1, Bytes.size(), file_.get());
}

void TOutputFile::Commit(const std::string& WriteErrorText) {
    bool written = std::fflush(file_.get()) == 0 && std::ferror(file_.get()) == 0;
    written = std::fclose(file_.release()) == 0 && written;
    std::error_code error;
    if (written) std::filesystem::rename(partial_, target_, error);
    if (!written || error) {
        std::filesystem::remove(partial_, error);
        throw TWriteError(WriteErrorText);
    }
}

void WriteReplacingFile(const std::string& FileName, ByteView Bytes,
                        const std::string& WriteErrorText) {
    TOutputFile file(FileName);
    file.Write(Bytes);
    file.Commit(WriteErrorText);
}
