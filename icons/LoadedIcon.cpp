#include "icons/LoadedIcon.h"

#include <algorithm>
#include <stdexcept>

#include "icons/ImageRows.h"
#include "icons/PngStream.h"
#include "icons/Rendering.h"

namespace {

int PaletteSize(std::uint16_t bitCount) {
    return bitCount >= 1 && bitCount <= 8 ? 1 << bitCount : 0;
}

constexpr std::size_t kBitmapHeaderSize = 40;

// The sizes of the bitmap headers Windows knows (info, v2 to v5, OS/2 v2); all start with the
// 40-byte info header's fields. The 12-byte core header has another layout.
bool IsBitmapHeaderSize(std::uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124;
}

// The depths icon bitmaps have; any other is kept without rows rather than decoded.
bool IsIconBitCount(std::uint16_t bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

// The IHDR chunk that follows the 8-byte signature: length 13, type, then its fields.
constexpr std::size_t kPngHeaderEnd = 8 + 8 + 13;

const ByteString kNoBytes;

// A new image owned by icon, with the entry at the front of data kept as stored.
std::unique_ptr<TLoadedIconImage> StartEntry(TLoadedIcon* icon, const ByteReader& data) {
    auto image = std::make_unique<TLoadedIconImage>();
    image->Owner = icon;
    ByteView raw = data.Rest().first(std::min(data.Rest().size(), image->RawEntry.size()));
    std::copy(raw.begin(), raw.end(), image->RawEntry.begin());
    return image;
}

}  // namespace

std::shared_ptr<const TIconGroupRecord> ReadGroupRecord(ByteView Group) {
    auto record = std::make_shared<TIconGroupRecord>();
    ByteView header = Slice(Group, 0, record->Header.size());
    std::copy(header.begin(), header.end(), record->Header.begin());
    return record;
}

TLoadedIconImage& TLoadedIcon::GetImage(std::int32_t Index) const {
    if (Index < 0 || static_cast<std::size_t>(Index) >= Images.size()) {
        throw std::out_of_range("List index out of bounds (" + std::to_string(Index) + ")");
    }
    return *Images[static_cast<std::size_t>(Index)];
}

void TLoadedIcon::UpdateMaxSize(std::int32_t NewWidth, std::int32_t NewHeight) {
    MaxWidth = std::max(MaxWidth, NewWidth);
    MaxHeight = std::max(MaxHeight, NewHeight);
}

std::unique_ptr<TLoadedIconImage> TLoadedIcon::ReadDirEntry(ByteReader& Data, bool GroupEntry) {
    auto image = StartEntry(this, Data);
    image->Width = Data.U8();
    image->Height = Data.U8();
    image->ColorCount = Data.U8();
    image->Reserved = Data.U8();
    image->Planes = Data.U16();
    image->BitCount = Data.U16();
    if (image->BitCount == 0) {
        image->Planes = 1;
        switch (image->ColorCount) {
            case 2:
                image->BitCount = 1;
                break;
            case 16:
                image->BitCount = 4;
                break;
            case 255:
                image->BitCount = 8;
                break;
            default:
                break;
        }
    }
    image->BytesInRes = Data.U32();
    image->ImageOffset = GroupEntry ? Data.U16() : Data.U32();
    return image;
}

namespace {

// A cursor's side as the one-byte directory value: 256 is stored as 0, as in icon entries.
std::uint8_t CursorSide(std::uint16_t pixels, std::uint16_t width, std::uint16_t height) {
    if (pixels == 0 || pixels > 256) {
        throw TReadError("Cursor group entry of " + std::to_string(width) + " x " +
                         std::to_string(height) + " pixels is outside 1 to 256");
    }
    return static_cast<std::uint8_t>(pixels);
}

}  // namespace

std::unique_ptr<TLoadedIconImage> TLoadedIcon::ReadCursorEntry(ByteReader& Data) {
    auto image = StartEntry(this, Data);
    image->IsCursor = true;
    std::uint16_t width = Data.U16();
    std::uint16_t rows = Data.U16();
    image->Width = CursorSide(width, width, rows / 2);
    image->Height = CursorSide(rows / 2, width, rows / 2);
    image->Planes = Data.U16();
    image->BitCount = Data.U16();
    // Cursor entries carry no colour count; give the one an icon entry of that depth has.
    if (image->BitCount >= 1 && image->BitCount < 8)
        image->ColorCount = static_cast<std::uint8_t>(1u << image->BitCount);
    image->BytesInRes = Data.U32();
    image->ImageOffset = Data.U16();
    return image;
}

void TLoadedIcon::NoteDamage(std::string Reason) {
    if (Damage.empty()) Damage = std::move(Reason);
}

TLoadedIconImage& TLoadedIcon::AddImage(std::unique_ptr<TLoadedIconImage> Image) {
    Image->Owner = this;
    Images.push_back(std::move(Image));
    return *Images.back();
}

void TLoadedIconImage::Reset() {
    Palette = TLogPalette{};
    HasPalette = false;
    read_ = true;
    isPng_ = false;
    pngHeader_ = TPngHeader{};
    stored_.clear();
    bitsAt_ = 0;
    damage_.clear();
    {
        std::lock_guard<std::mutex> guard(rowsLock_);
        rows_.reset();
    }
    std::lock_guard<std::mutex> guard(displayLock_);
    display_.reset();
}

void TLoadedIconImage::MarkDamaged(std::string Reason, ByteView Present) {
    Reset();
    stored_.assign(Present.begin(), Present.end());
    damage_ = std::move(Reason);
}

void TLoadedIconImage::ForgetStoredBytes() {
    ByteString().swap(stored_);
    bitsAt_ = 0;
}

bool TLoadedIconImage::DecodeImage(ByteView Data, bool IsResource) {
    if (IsResource) return Decode(Data, nullptr);
    // Data cut short by its own size inside the file is not damaged, and gets zero rows where
    // rows are missing.
    ByteView present = Data.subspan(std::min<std::size_t>(ImageOffset, Data.size()));
    if (present.size() >= BytesInRes) return Decode(present.first(BytesInRes), nullptr);
    TCut cut{present.size(), CutShortReason(kFileEnds, "the image data", present.size())};
    return Decode(present, &cut);
}

bool TLoadedIconImage::DecodeImage(ByteView Data, const TCut& Cut) {
    return Decode(Data, &Cut);
}

bool TLoadedIconImage::Decode(ByteView data, const TCut* cut) {
    Reset();
    stored_.assign(data.begin(), data.end());
    isPng_ = IsPngStream(data);
    if (isPng_) {
        ReadPngHeader(data);
        if (cut && damage_.empty() && !PngStreamComplete(data)) damage_ = cut->Reason;
        return true;
    }
    ByteReader reader(data);
    THeaderRead header = ReadBitmapHeader(reader);
    // Where the file ends inside the image, the end is the reason, unless the header itself is
    // impossible or every byte of the pixels lies before the end.
    if (cut && header != THeaderRead::Impossible &&
        (header == THeaderRead::Short || cut->Held < BitmapBytes())) {
        damage_ = cut->Reason;
    }
    if (!damage_.empty()) return true;  // damaged, not empty: the 16-bit reader keeps it
    bitsAt_ = data.size() - reader.Rest().size();
    return !LayOutBitmapRows(reader.Rest(), PixelWidth(), PixelHeight(), BitCount).AllZero();
}

TLoadedIconImage::THeaderRead TLoadedIconImage::ReadBitmapHeader(ByteReader& data) {
    if (!data.Has(kBitmapHeaderSize)) {
        damage_ = CutShortReason("the image data", "its header", data.Rest().size());
        return THeaderRead::Short;
    }
    ByteReader header(data.Take(kBitmapHeaderSize));
    std::uint32_t headerSize = header.U32();
    header.Skip(10);
    BitCount = header.U16();
    // A header of zero bytes is an empty image, which readers may drop, not a broken one.
    bool blank = headerSize == 0 && BitCount == 0;
    if (!blank && !IsBitmapHeaderSize(headerSize)) {
        damage_ = "Unsupported bitmap header size " + std::to_string(headerSize);
        return THeaderRead::Impossible;
    }
    if (!blank && !IsIconBitCount(BitCount)) {
        damage_ = "Unsupported bit count " + std::to_string(BitCount);
        return THeaderRead::Impossible;
    }
    int paletteSize = PaletteSize(BitCount);
    if (!data.Has(static_cast<std::size_t>(paletteSize) * 4)) {
        damage_ = CutShortReason("the image data", "its palette", data.Rest().size());
        return THeaderRead::Short;
    }
    HasPalette = paletteSize > 0;
    if (!HasPalette) return THeaderRead::Whole;
    Palette.Version = 0x300;
    Palette.NumEntries = static_cast<std::uint16_t>(paletteSize);
    Palette.Entries.Reserve(static_cast<std::size_t>(paletteSize));
    for (int i = 0; i < paletteSize; ++i) {
        TPaletteEntry& entry = Palette.Entries[static_cast<std::size_t>(i)];
        entry.Blue = data.U8();
        entry.Green = data.U8();
        entry.Red = data.U8();
        entry.Flags = data.U8();
    }
    return THeaderRead::Whole;
}

std::uint64_t TLoadedIconImage::BitmapBytes() const {
    return kBitmapHeaderSize + static_cast<std::uint64_t>(PaletteSize(BitCount)) * 4 +
           LayOutBitmapRows({}, PixelWidth(), PixelHeight(), BitCount).RowsSize();
}

// Only the signature and the header chunk are looked at; the rest of the stream is decoded
// when the pixels are first needed.
void TLoadedIconImage::ReadPngHeader(ByteView data) {
    BitCount = 32;
    static constexpr std::uint8_t kHeaderType[] = {0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    if (data.size() < kPngHeaderEnd ||
        !std::equal(kHeaderType, kHeaderType + 8, data.begin() + 8)) {
        damage_ = "PNG stream has no header chunk";
        return;
    }
    auto big = [&](std::size_t at) {
        return static_cast<std::uint32_t>(data[at] << 24 | data[at + 1] << 16 | data[at + 2] << 8 |
                                          data[at + 3]);
    };
    pngHeader_.Width = big(16);
    pngHeader_.Height = big(20);
    pngHeader_.BitDepth = data[24];
    pngHeader_.ColorType = data[25];
    pngHeader_.Interlace = data[28];
    if (pngHeader_.Width == 0 || pngHeader_.Height == 0 || pngHeader_.Width > kMaxPngSide ||
        pngHeader_.Height > kMaxPngSide) {
        damage_ = "PNG image of " + std::to_string(pngHeader_.Width) + " x " +
                  std::to_string(pngHeader_.Height) + " pixels is not supported";
    }
}

TImageRows TLoadedIconImage::DecodeRows() const {
    if (!damage_.empty()) return TImageRows{{}, 0, {}, 0, damage_};
    if (!read_) return {};
    if (isPng_) return DecodePngRows(stored_, PixelWidth(), PixelHeight());
    ByteView bits = ByteView(stored_).subspan(bitsAt_);
    return DecodeBitmapRows(LayOutBitmapRows(bits, PixelWidth(), PixelHeight(), BitCount));
}

const TImageRows& TLoadedIconImage::Rows() const {
    std::lock_guard<std::mutex> guard(rowsLock_);
    if (!rows_) rows_ = DecodeRows();
    return *rows_;
}

const std::string& TLoadedIconImage::Damage() const {
    return damage_.empty() ? Rows().DecodeError : damage_;
}

bool TLoadedIconImage::Decoded() const {
    std::lock_guard<std::mutex> guard(rowsLock_);
    return rows_.has_value();
}

const TDisplayRows& TLoadedIconImage::Display() const {
    std::lock_guard<std::mutex> guard(displayLock_);
    if (!display_) display_ = BuildDisplayRows(*this);
    return *display_;
}

const ByteString& TLoadedIconImage::DisplayBits() const {
    const TDisplayRows& display = Display();
    return display.SharesImageRows ? ImageBits() : display.Converted;
}

std::int32_t TLoadedIconImage::DisplayStride() const {
    return Display().DisplayStride;
}

bool TLoadedIconImage::Prepared() const {
    std::lock_guard<std::mutex> guard(displayLock_);
    return display_.has_value();
}

const ByteString& TLoadedIconImage::StoredBytes() const {
    return stored_;
}

const ByteString& TLoadedIconImage::PngData() const {
    return isPng_ ? stored_ : kNoBytes;
}

std::size_t TLoadedIconImage::DecodedSize() const {
    if (!read_ || !damage_.empty()) return stored_.size();
    if (isPng_) return stored_.size() + PngRowsSize(PixelWidth(), PixelHeight());
    return stored_.size() + LayOutBitmapRows({}, PixelWidth(), PixelHeight(), BitCount).RowsSize();
}

void TLoadedIconImage::SetRows(TImageRows Rows) {
    {
        std::lock_guard<std::mutex> guard(displayLock_);
        display_.reset();
    }
    EditRows() = std::move(Rows);
}

TImageRows& TLoadedIconImage::EditRows() {
    std::lock_guard<std::mutex> guard(rowsLock_);
    if (!rows_) rows_ = DecodeRows();
    return *rows_;
}
