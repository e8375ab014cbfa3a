#include "icons/readers/MsiDatabase.h"

#include <libmsi.h>

namespace {

// Owners of libmsi's objects and GLib's errors and strings.
struct TUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using TObject = std::unique_ptr<T, TUnref>;
struct TFreeError {
    void operator()(GError* error) const { g_error_free(error); }
};
using TError = std::unique_ptr<GError, TFreeError>;
struct TFree {
    void operator()(gchar* text) const { g_free(text); }
};
using TText = std::unique_ptr<gchar, TFree>;

constexpr std::size_t kHeadSize = 8;

// A query that has been run, or nothing when libmsi refuses it (a table that is not there).
TObject<LibmsiQuery> Run(LibmsiDatabase* database, const std::string& sql) {
    GError* error = nullptr;
    TObject<LibmsiQuery> query(libmsi_query_new(database, sql.c_str(), &error));
    TError owned(error);
    if (!query || !libmsi_query_execute(query.get(), nullptr, nullptr)) return nullptr;
    return query;
}

// The next row, or nothing at the end of the rows.
TObject<LibmsiRecord> Fetch(LibmsiQuery* query) {
    GError* error = nullptr;
    TObject<LibmsiRecord> record(libmsi_query_fetch(query, &error));
    TError owned(error);
    return record;
}

std::string Text(LibmsiRecord* record, guint field) {
    TText text(libmsi_record_get_string(record, field));
    return text ? text.get() : "";
}

// Appends up to `count` bytes of the stream to `bytes`; false at the stream's end or when it
// cannot be read further.
bool ReadMore(GInputStream* stream, ByteString& bytes, std::size_t count) {
    std::size_t had = bytes.size();
    bytes.resize(had + count);
    gssize got = g_input_stream_read(stream, bytes.data() + had, count, nullptr, nullptr);
    bytes.resize(had + static_cast<std::size_t>(got > 0 ? got : 0));
    return got > 0;
}

// Copies the stream of field 2 when its first bytes are wanted, up to kMaxMsiStream bytes.
void CopyStream(LibmsiRecord* record, const std::function<bool(ByteView)>& wanted,
                TMsiStream& row) {
    TObject<GInputStream> stream(libmsi_record_get_stream(record, 2));
    if (!stream) {
        row.Error = "the row holds no stream";
        return;
    }
    while (row.Bytes.size() < kHeadSize &&
           ReadMore(stream.get(), row.Bytes, kHeadSize - row.Bytes.size())) {
    }
    if (!wanted(row.Bytes)) return;
    constexpr std::size_t kBlock = 1u << 16;
    while (row.Bytes.size() <= kMaxMsiStream && ReadMore(stream.get(), row.Bytes, kBlock)) {
    }
    if (row.Bytes.size() > kMaxMsiStream) {
        row.Bytes = {};
        row.Error = "stream too large";
    }
}

}  // namespace

struct TMsiDatabase::TImpl {
    TObject<LibmsiDatabase> Database;
};

TMsiDatabase::TMsiDatabase(const std::string& path) : impl_(std::make_unique<TImpl>()) {
    GError* error = nullptr;
    impl_->Database.reset(
        libmsi_database_new(path.c_str(), LIBMSI_DB_FLAGS_READONLY, nullptr, &error));
    TError owned(error);
    if (!impl_->Database) {
        throw TReadError(owned ? std::string("the installer database cannot be read: ") +
                                     owned->message
                               : "the installer database cannot be read");
    }
}

TMsiDatabase::~TMsiDatabase() = default;

bool TMsiDatabase::ReadStreams(const std::string& Table,
                               const std::function<bool(ByteView)>& Wanted,
                               const std::function<void(TMsiStream)>& Take) {
    auto query = Run(impl_->Database.get(), "SELECT `Name`, `Data` FROM `" + Table + "`");
    if (!query) return false;
    while (auto record = Fetch(query.get())) {
        TMsiStream row;
        row.Name = Text(record.get(), 1);
        CopyStream(record.get(), Wanted, row);
        Take(std::move(row));
    }
    return true;
}

std::optional<std::string> TMsiDatabase::Property(const std::string& Name) {
    auto query = Run(impl_->Database.get(),
                     "SELECT `Value` FROM `Property` WHERE `Property` = '" + Name + "'");
    if (!query) return std::nullopt;
    auto record = Fetch(query.get());
    if (!record) return std::nullopt;
    return Text(record.get(), 1);
}
