#include "writers/OutputFile.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "writers/WriterError.h"

namespace {

// Opens a partial file beside the target that did not exist before ("x" mode), trying a few
// numbered names; returns the handle and its name, or a null handle with errno telling why.
std::FILE* OpenPartial(const std::string& target, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + ".part" + std::to_string(attempt);
        std::FILE* file = std::fopen(name.c_str(), "wbx");
        if (file != nullptr || errno != EEXIST) return file;
    }
    return nullptr;
}

// The writer's text with the system's reason after it: "Error Opening File x! (Permission
// denied)".
TWriteError WithReason(const std::string& text, int error) {
    return TWriteError(text + " (" + std::generic_category().message(error) + ")");
}

}  // namespace

TOutputFile::TOutputFile(const std::string& FileName) : target_(FileName) {
    std::error_code status;
    if (FileName.empty()) {
        error_ = ENOENT;
    } else if (std::filesystem::is_directory(FileName, status)) {
        error_ = EISDIR;
    } else {
        file_.reset(OpenPartial(FileName, partial_));
        if (!file_) error_ = errno;
    }
    if (!file_) throw WithReason("Error Opening File " + FileName + "!", error_);
}

TOutputFile::~TOutputFile() {
    if (!file_) return;
    file_.reset();
    std::error_code ignored;
    std::filesystem::remove(partial_, ignored);
}

void TOutputFile::Write(ByteView Bytes) {
    if (Bytes.empty()) return;
    if (std::fwrite(Bytes.data(), 1, Bytes.size(), file_.get()) != Bytes.size() && error_ == 0)
        error_ = errno;
}

void TOutputFile::Fail(const std::string& WriteErrorText) {
    if (error_ == 0 && std::ferror(file_.get()) != 0) error_ = errno;
    if (error_ != 0) throw WithReason(WriteErrorText, error_);
    throw TWriteError(WriteErrorText);
}

void TOutputFile::Commit(const std::string& WriteErrorText) {
    if (error_ != 0 || std::fflush(file_.get()) != 0 || std::ferror(file_.get()) != 0)
        Fail(WriteErrorText);
    if (std::fclose(file_.release()) != 0) error_ = errno;
    std::error_code renamed;
    if (error_ == 0) std::filesystem::rename(partial_, target_, renamed);
    if (error_ == 0 && renamed) error_ = renamed.value();
    if (error_ != 0) {
        std::error_code ignored;
        std::filesystem::remove(partial_, ignored);
        throw WithReason(WriteErrorText, error_);
    }
}

void WriteReplacingFile(const std::string& FileName, ByteView Bytes,
                        const std::string& WriteErrorText) {
    TOutputFile file(FileName);
    file.Write(Bytes);
    file.Commit(WriteErrorText);
}
