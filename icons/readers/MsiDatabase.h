#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "icons/ByteReader.h"

// Streams are copied to memory up to this size; a larger one is not read.
inline constexpr std::size_t kMaxMsiStream = 64u << 20;

// One row of a table of named streams (Icon, Binary): its name, and its stream's bytes or why
// they were not read.
struct TMsiStream {
    std::string Name;
    ByteString Bytes;
    std::string Error;
};

// An installer database opened read-only with libmsi (see MsiTables for where it is used).
class TMsiDatabase {
public:
    // Throws TReadError with libmsi's reason when the file cannot be opened as a database.
    explicit TMsiDatabase(const std::string& path);
    ~TMsiDatabase();
    TMsiDatabase(const TMsiDatabase&) = delete;
    TMsiDatabase& operator=(const TMsiDatabase&) = delete;

    // Hands each row of the table's `Name` and `Data` columns to Take, in the table's order.
    // A stream is copied only when Wanted accepts its first bytes (up to 8), and only up to
    // kMaxMsiStream bytes: beyond that the row's Error is "stream too large". Returns false
    // when the database has no such table.
    bool ReadStreams(const std::string& Table, const std::function<bool(ByteView)>& Wanted,
                     const std::function<void(TMsiStream)>& Take);
    // The value of a row of the Property table; nothing when there is no such row or table.
    std::optional<std::string> Property(const std::string& Name);

private:
    struct TImpl;
    std::unique_ptr<TImpl> impl_;
};
