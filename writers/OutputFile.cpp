#include "writers/OutputFile.h"

#include <fcntl.h>
#include <stdio.h>  // renameat2
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "icons/ParallelLoad.h"
#include "writers/WriterError.h"

namespace {

// The process's file creation mask, read once while the program starts, before any thread
// could create a file: a hidden temporary file is made private by mkstemp and is given the
// permissions a file created by its name would have.
const mode_t kCreationMask = [] {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}();

std::string ReasonOf(int error) {
    return std::generic_category().message(error);
}

// The writer's text with the reason after it: "Error Opening File x! (Permission denied)".
TWriteError WithReason(const std::string& text, const std::string& reason) {
    return TWriteError(text + " (" + reason + ")");
}

std::string OpeningText(const std::string& path) {
    return "Error Opening File " + path + "!";
}

std::string FolderOf(const std::string& path) {
    std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// Whether open refused O_TMPFILE itself rather than the folder: the file system (or an old
// kernel, which takes the flag for O_DIRECTORY) has no unnamed files.
bool UnnamedRefused(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// A hidden file ".mw-XXXXXX" in Folder, its name in Name; -1 with errno on failure.
int OpenHidden(const std::string& folder, std::string& name) {
    name = folder + "/.mw-XXXXXX";
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd >= 0 && ::fchmod(fd, 0666 & ~kCreationMask) != 0) {
        int error = errno;
        ::close(fd);
        ::unlink(name.c_str());
        errno = error;
        fd = -1;
    }
    if (fd < 0) name.clear();
    return fd;
}

// Gives the closed hidden file Temporary the name Name unless something holds it (EEXIST):
// by a rename that replaces nothing; where the file system has none (EINVAL), by a hard link
// and the temporary's removal; where it has no hard links either (EPERM: FAT, exFAT), by an
// empty placeholder created exclusively and then renamed over, removed again when that fails.
// Returns 0 or the errno.
int RenameWithoutReplacing(const std::string& temporary, const std::string& name) {
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    if (::link(temporary.c_str(), name.c_str()) == 0) {
        ::unlink(temporary.c_str());
        return 0;
    }
    if (errno != EPERM) return errno;
    int placeholder = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (placeholder < 0) return errno;
    ::close(placeholder);
    if (::rename(temporary.c_str(), name.c_str()) == 0) return 0;
    int error = errno;
    ::unlink(name.c_str());
    return error;
}

// Why a name that exists cannot be taken as a file another writer made: "Is a directory" for
// a folder, "Not a regular file" for anything else but a file or a link; empty otherwise.
std::string HeldByNoFile(const std::string& name) {
    struct stat status {};
    if (::lstat(name.c_str(), &status) != 0 || S_ISREG(status.st_mode) || S_ISLNK(status.st_mode))
        return {};
    return S_ISDIR(status.st_mode) ? ReasonOf(EISDIR) : std::string(kNotARegularFile);
}

}  // namespace

TOutputFile::TOutputFile(const TOutputTarget& Target) : target_(Target) {
    std::error_code status;
    if (target_.Path.empty()) {
        error_ = ENOENT;
    } else if (!target_.Claim && std::filesystem::is_directory(target_.Path, status)) {
        error_ = EISDIR;
    } else {
        Open();
    }
    if (!file_) throw WithReason(OpeningText(target_.Path), ReasonOf(error_));
}

void TOutputFile::Open() {
    std::string folder = FolderOf(target_.Path);
    int fd = target_.Claim ? ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666) : -1;
    if (fd < 0 && (!target_.Claim || UnnamedRefused(errno))) fd = OpenHidden(folder, temporary_);
    if (fd >= 0) file_.reset(::fdopen(fd, "wb"));
    if (file_) return;
    error_ = errno;
    if (fd >= 0) ::close(fd);
}

TOutputFile::~TOutputFile() {
    file_.reset();
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void TOutputFile::Write(ByteView Bytes) {
    if (Bytes.empty()) return;
    if (std::fwrite(Bytes.data(), 1, Bytes.size(), file_.get()) != Bytes.size() && error_ == 0)
        error_ = errno;
}

void TOutputFile::Fail(const std::string& WriteErrorText) {
    if (error_ == 0 && std::ferror(file_.get()) != 0) error_ = errno;
    if (error_ != 0) throw WithReason(WriteErrorText, ReasonOf(error_));
    throw TWriteError(WriteErrorText);
}

void TOutputFile::Commit(const std::string& WriteErrorText) {
    if (error_ == 0 && std::fflush(file_.get()) != 0) error_ = errno;
    if (error_ != 0 || std::ferror(file_.get()) != 0) Fail(WriteErrorText);
    // A hidden file is closed before it is named, so that a failure only the close shows leaves
    // no name behind; an unnamed file stays open until it is linked.
    if (!temporary_.empty() && std::fclose(file_.release()) != 0)
        throw WithReason(WriteErrorText, ReasonOf(errno));
    std::optional<std::string> name = Name();
    if (file_ && std::fclose(file_.release()) != 0) {
        int error = errno;
        if (name) ::unlink(name->c_str());
        throw WithReason(WriteErrorText, ReasonOf(error));
    }
    if (name && target_.Claim) target_.Claim->Give(*name);
}

std::optional<std::string> TOutputFile::Name() {
    if (target_.Claim) return Claim();
    if (::rename(temporary_.c_str(), target_.Path.c_str()) != 0)
        throw WithReason(OpeningText(target_.Path), ReasonOf(errno));
    temporary_.clear();
    return target_.Path;
}

std::optional<std::string> TOutputFile::Claim() {
    TNameClaim& claim = *target_.Claim;
    for (std::optional<std::string> name = claim.First(); name; name = claim.After(*name)) {
        int error = ClaimAs(*name);
        if (error == 0) return name;
        std::string reason = error == EEXIST ? HeldByNoFile(*name) : ReasonOf(error);
        if (!reason.empty()) throw WithReason(OpeningText(*name), reason);
    }
    return std::nullopt;
}

int TOutputFile::ClaimAs(const std::string& name) {
    if (!temporary_.empty()) {
        int error = RenameWithoutReplacing(temporary_, name);
        if (error == 0) temporary_.clear();
        return error;
    }
    // The unnamed file gets its first name by a link from its descriptor's entry in /proc,
    // which fails with EEXIST when the name exists.
    std::string self = "/proc/self/fd/" + std::to_string(::fileno(file_.get()));
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0
                                                                                            : errno;
}

void WriteOutputFile(const TOutputTarget& Target, ByteView Bytes,
                     const std::string& WriteErrorText) {
    TOutputFile file(Target);
    file.Write(Bytes);
    file.Commit(WriteErrorText);
}
