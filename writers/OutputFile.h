#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "icons/ByteReader.h"

// A file being written in place of FileName. The bytes go to a fresh file beside the target,
// which replaces the target only when Commit succeeds; on every other path the partial file is
// closed and removed, so a failed save never leaves a half-written file under the target's
// name nor destroys the file that was there. Every error carries the system's reason in
// parentheses after the writer's text, for example "Error Opening File x.png! (Permission
// denied)".
class TOutputFile {
public:
    // Throws TWriteError "Error Opening File <FileName>! (<reason>)" when the target is a folder or
    // the file cannot be created (for example in a folder that does not exist).
    explicit TOutputFile(const std::string& FileName);
    ~TOutputFile();
    TOutputFile(const TOutputFile&) = delete;
    TOutputFile& operator=(const TOutputFile&) = delete;

    // The open stream, for libraries that write through a C file handle.
    std::FILE* Handle() const { return file_.get(); }
    // Appends bytes; a failure shows in Commit.
    void Write(ByteView Bytes);
    // Gives up on the file after a library writing through Handle failed: throws
    // TWriteError(WriteErrorText), with the stream's reason when it has one.
    [[noreturn]] void Fail(const std::string& WriteErrorText);
    // Flushes, closes and moves the file into place. Throws TWriteError(WriteErrorText) when
    // any write failed, and then leaves the target untouched.
    void Commit(const std::string& WriteErrorText);

private:
    struct TCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    std::string target_;
    std::string partial_;
    std::unique_ptr<std::FILE, TCloser> file_;
    int error_ = 0;  // the first failure's errno
};

// Writes Bytes as the whole content of FileName through a TOutputFile.
void WriteReplacingFile(const std::string& FileName, ByteView Bytes,
                        const std::string& WriteErrorText);
