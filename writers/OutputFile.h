#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "icons/ByteReader.h"

// The names a new file may take, offered one after the other: the file takes the first that no
// file holds at the moment it is named, so two writers never put their files under one name.
class TNameClaim {
public:
    virtual ~TNameClaim() = default;
    // The name offered first.
    virtual std::string First() const = 0;
    // The name to offer after Taken was found held by another writer's file; nothing gives the
    // file up (it then counts as existing).
    virtual std::optional<std::string> After(const std::string& Taken) = 0;

    // The name the file took once written; nothing before, or when every name offered was taken.
    const std::optional<std::string>& Given() const { return given_; }
    void Give(std::string Name) { given_ = std::move(Name); }

private:
    std::optional<std::string> given_;
};

// Where a writer puts its file: over Path, replacing whatever file is there (Save As), or,
// with a claim, under the first name the claim offers that nothing holds, replacing nothing.
struct TOutputTarget {
    TOutputTarget(std::string Path) : Path(std::move(Path)) {}  // NOLINT: a path converts
    TOutputTarget(const char* Path) : Path(Path) {}             // NOLINT: so does a literal
    explicit TOutputTarget(TNameClaim& Claim) : Path(Claim.First()), Claim(&Claim) {}

    std::string Path;  // the target, or the claim's first name
    TNameClaim* Claim = nullptr;
};

// A file being written under the target's name. The bytes go to a temporary file in the
// target's folder (unnamed where the file system allows it, else hidden as ".mw-XXXXXX", a name
// that fits whatever the target's length), which takes the target's name only when Commit
// succeeds; on every other path it is closed and removed, so a failed save never leaves a
// half-written file under the target's name nor destroys the file that was there. Every error
// carries the system's reason in parentheses after the writer's text, for example "Error
// Opening File x.png! (Permission denied)".
class TOutputFile {
public:
    // Throws TWriteError "Error Opening File <Path>! (<reason>)" when the target is a folder or
    // the file cannot be created (for example in a folder that does not exist).
    explicit TOutputFile(const TOutputTarget& Target);
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
    // Flushes and closes the file and names it: it replaces the target, or takes the first free
    // name of the claim (see TNameClaim::Given). Throws TWriteError(WriteErrorText) when any
    // write failed, and TWriteError "Error Opening File <name>! (<reason>)" when a claimed name
    // is held by a folder or anything but a file; the target is then left untouched.
    void Commit(const std::string& WriteErrorText);

private:
    struct TCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    void Open();
    // Gives the written file its name: the target's, or the first free one of the claim; nothing
    // when the claim gave up.
    std::optional<std::string> Name();
    std::optional<std::string> Claim();
    // Tries to give the file Name; 0 or the errno (EEXIST when the name is held).
    int ClaimAs(const std::string& name);

    TOutputTarget target_;
    std::string temporary_;  // the hidden file's path; empty for an unnamed one
    std::unique_ptr<std::FILE, TCloser> file_;
    int error_ = 0;  // the first failure's errno
};

// Writes Bytes as the whole content of the target through a TOutputFile.
void WriteOutputFile(const TOutputTarget& Target, ByteView Bytes,
                     const std::string& WriteErrorText);
