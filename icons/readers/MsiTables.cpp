#include "icons/readers/MsiTables.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>

#include "icons/ByteReader.h"

namespace {

// What the child writes, each record led by its kind.
enum TRecord : std::uint8_t { kIconRow = 1, kBinaryRow, kProductIcon, kIconTable, kFailed, kEnd };

// The longest a child may stay silent before it is taken for hung.
constexpr int kSilenceMs = 30000;
// Everything the child may send: the streams kept are each below kMaxMsiStream.
constexpr std::size_t kMaxSent = 8 * kMaxMsiStream;

// Pipes and children are made one at a time, so that no child holds the write end of another
// read's pipe open.
std::mutex gForking;

class TSender {
public:
    explicit TSender(int fd) : fd_(fd) {}
    void Byte(std::uint8_t value) { Bytes({&value, 1}); }
    void Text(ByteView text) {
        auto size = static_cast<std::uint32_t>(text.size());
        Bytes({reinterpret_cast<const std::uint8_t*>(&size), sizeof size});
        Bytes(text);
    }
    void Text(const std::string& text) {
        Text({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    }
    void Row(std::uint8_t kind, const TMsiStream& row) {
        Byte(kind);
        Text(row.Name);
        Text(row.Error);
        Text(row.Bytes);
    }

private:
    void Bytes(ByteView bytes) {
        while (!bytes.empty()) {
            ssize_t sent = ::write(fd_, bytes.data(), bytes.size());
            if (sent < 0 && errno == EINTR) continue;
            if (sent <= 0) ::_exit(1);
            bytes = bytes.subspan(static_cast<std::size_t>(sent));
        }
    }
    int fd_;
};

// The child's work: open the database, send what the reader needs, and end.
[[noreturn]] void SendTables(const std::string& fileName, int fd) {
    int quiet = ::open("/dev/null", O_WRONLY);  // GLib's warnings about damage stay unseen
    if (quiet >= 0) ::dup2(quiet, STDERR_FILENO);
    TSender send(fd);
    try {
        TMsiDatabase database(fileName);
        auto anyHead = [](ByteView head) { return IsIconFileHead(head) || IsExecutableHead(head); };
        if (database.ReadStreams("Icon", anyHead,
                                 [&](const TMsiStream& row) { send.Row(kIconRow, row); }))
            send.Byte(kIconTable);
        database.ReadStreams("Binary", IsIconFileHead, [&](const TMsiStream& row) {
            if (IsIconFileHead(row.Bytes) || !row.Error.empty()) send.Row(kBinaryRow, row);
        });
        if (auto product = database.Property("ARPPRODUCTICON")) {
            send.Byte(kProductIcon);
            send.Text(*product);
        }
    } catch (const TReadError& error) {
        send.Byte(kFailed);
        send.Text(std::string(error.what()));
    }
    send.Byte(kEnd);
    ::_exit(0);
}

// Everything the child sends until it closes the pipe, or nothing when it stays silent too long
// or sends too much.
std::optional<ByteString> Receive(int fd) {
    ByteString bytes;
    std::uint8_t buffer[1 << 16];
    for (;;) {
        pollfd wait{fd, POLLIN, 0};
        int ready = ::poll(&wait, 1, kSilenceMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return std::nullopt;
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) return bytes;
        bytes.insert(bytes.end(), buffer, buffer + got);
        if (bytes.size() > kMaxSent) return std::nullopt;
    }
}

std::string TextOf(ByteReader& data) {
    ByteView text = data.Take(data.U32());
    return {text.begin(), text.end()};
}

// The tables from what the child sent, or in `failure` why libmsi could not open the database;
// throws when the child did not get to the end.
TMsiTables Parse(ByteView sent, std::string& failure) {
    TMsiTables tables;
    ByteReader data(sent, "what libmsi read");
    for (;;) {
        std::uint8_t kind = data.U8();
        if (kind == kEnd) return tables;
        if (kind == kIconTable) tables.HasIconTable = true;
        if (kind == kProductIcon) tables.ProductIcon = TextOf(data);
        if (kind == kFailed) failure = TextOf(data);
        if (kind == kIconRow || kind == kBinaryRow) {
            TMsiStream row;
            row.Name = TextOf(data);
            row.Error = TextOf(data);
            ByteView bytes = data.Take(data.U32());
            row.Bytes.assign(bytes.begin(), bytes.end());
            (kind == kIconRow ? tables.Icons : tables.Binaries).push_back(std::move(row));
        }
    }
}

}  // namespace

bool IsIconFileHead(ByteView Head) {
    if (Head.size() < 6) return false;
    std::uint16_t type = ReadU16At(Head, 2);
    return ReadU16At(Head, 0) == 0 && (type == 1 || type == 2) && ReadU16At(Head, 4) != 0;
}

bool IsExecutableHead(ByteView Head) {
    return Head.size() >= 2 && Head[0] == 'M' && Head[1] == 'Z';
}

TMsiTables ReadMsiTables(const std::string& FileName) {
    int ends[2];
    pid_t child = -1;
    {
        std::lock_guard lock(gForking);
        if (::pipe2(ends, O_CLOEXEC) != 0) throw TReadError("no pipe for reading the installer");
        child = ::fork();
        if (child == 0) {
            ::close(ends[0]);
            SendTables(FileName, ends[1]);
        }
        ::close(ends[1]);
    }
    if (child < 0) {
        ::close(ends[0]);
        throw TReadError("no process for reading the installer");
    }
    std::optional<ByteString> sent = Receive(ends[0]);
    ::close(ends[0]);
    if (!sent) ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    constexpr char kDamaged[] = "the installer database is damaged: libmsi could not read it";
    if (!sent || !WIFEXITED(status) || WEXITSTATUS(status) != 0) throw TReadError(kDamaged);
    std::string failure;
    TMsiTables tables;
    try {
        tables = Parse(*sent, failure);
    } catch (const TReadError&) {
        throw TReadError(kDamaged);
    }
    if (!failure.empty()) throw TReadError(failure);
    return tables;
}
