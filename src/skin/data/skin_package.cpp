#include "skin/data/skin_package.h"

#include <zlib.h>

#include <stdexcept>

#include "platform/posix/outside_file.h"
#include "skin/data/upper_ascii.h"

namespace tappomat {
namespace {

constexpr std::string_view kMagic = "TQzf";
constexpr std::string_view kDefinitionName = "OPTIONS.DAT";
// What reading past the end of the package is called, as a cut-off stream is.
constexpr const char* kStreamReadError = "Stream read error";

// A read position over the package bytes that never passes their end.
class Cursor {
 public:
  explicit Cursor(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

  std::size_t Left() const { return m_bytes.size() - m_at; }
  std::size_t Used() const { return m_at; }
  std::span<const std::uint8_t> Rest() const { return m_bytes.subspan(m_at); }
  void Skip(std::size_t count) { m_at += count; }

  bool ReadU32(std::uint32_t& value) {
    if (Left() < 4) return false;
    value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | m_bytes[m_at + static_cast<std::size_t>(i)];
    m_at += 4;
    return true;
  }
  bool ReadText(std::size_t length, std::string& text) {
    if (Left() < length) return false;
    text.assign(reinterpret_cast<const char*>(m_bytes.data() + m_at), length);
    m_at += length;
    return true;
  }

 private:
  std::span<const std::uint8_t> m_bytes;
  std::size_t m_at = 0;
};

// Inflates the zlib stream at the cursor into exactly `size` bytes and moves the cursor
// past the stream. Returns the error message, empty on success.
std::string InflateEntry(Cursor& cursor, std::uint32_t size, std::vector<std::uint8_t>& out) {
  // One byte more than promised, so that a stream holding more than it says is noticed.
  out.resize(static_cast<std::size_t>(size) + 1);
  z_stream stream{};
  if (const int init = inflateInit(&stream); init != Z_OK) return zError(init);
  const std::span<const std::uint8_t> input = cursor.Rest();
  stream.next_in = const_cast<Bytef*>(input.data());
  stream.avail_in = static_cast<uInt>(input.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = inflate(&stream, Z_FINISH);
  const std::size_t produced = stream.total_out;
  const std::size_t consumed = stream.total_in;
  inflateEnd(&stream);

  std::string error;
  if (result == Z_STREAM_END) {
    if (produced < size) error = kStreamReadError;
  } else if (result == Z_BUF_ERROR && stream.avail_out > 0) {
    error = kStreamReadError;  // the package ends inside the stream
  } else if (result == Z_BUF_ERROR || result == Z_OK || result == Z_NEED_DICT) {
    error = zError(Z_DATA_ERROR);  // more bytes than the entry says, or a preset dictionary
  } else {
    error = zError(result);
  }
  if (!error.empty()) return error;
  out.resize(size);
  cursor.Skip(consumed);
  return {};
}

}  // namespace

const TacImageItem* TacSkinConvertor::FindImage(std::string_view name) const {
  for (const TacImageItem& item : images) {
    if (UpperAscii(item.name) == name) return &item;
  }
  return nullptr;
}

SkinPackageRead ReadSkinPackage(std::span<const std::uint8_t> bytes) {
  using Limits = SkinPackageLimits;
  SkinPackageRead read;
  const auto fail = [&read](std::string message, std::string entry = {}) {
    read.package = {};
    read.error = std::move(message);
    read.entry = std::move(entry);
    return std::move(read);
  };
  Cursor cursor(bytes);
  std::string magic;
  if (!cursor.ReadText(kMagic.size(), magic) || magic != kMagic) {
    return fail("Loaded data is not a packed Tessark file");
  }
  std::uint32_t count = 0;
  if (!cursor.ReadU32(count)) return fail(kStreamReadError);
  if (count > Limits::kMaxEntries) {
    return fail("The skin package claims " + std::to_string(count) + " entries; at most " +
                std::to_string(Limits::kMaxEntries) + " are accepted");
  }
  std::uint64_t total = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t nameLength = 0, size = 0;
    TacImageItem item;
    if (!cursor.ReadU32(nameLength)) return fail(kStreamReadError);
    if (nameLength > Limits::kMaxNameLength) {
      return fail("Entry " + std::to_string(i + 1) + " of the skin package has a name of " +
                  std::to_string(nameLength) + " bytes; at most " +
                  std::to_string(Limits::kMaxNameLength) + " are accepted");
    }
    if (!cursor.ReadText(nameLength, item.name)) return fail(kStreamReadError);
    if (!cursor.ReadU32(size)) return fail(kStreamReadError, item.name);
    total += size;
    if (size > Limits::kMaxEntrySize) {
      return fail("The skin package entry \"" + item.name + "\" claims " + std::to_string(size) +
                  " bytes, more than a skin may hold", item.name);
    }
    if (total > Limits::kMaxTotalSize) {
      return fail("The entries of the skin package claim " + std::to_string(total) +
                  " bytes together up to \"" + item.name + "\"; a skin may hold at most " +
                  std::to_string(Limits::kMaxTotalSize) + " bytes", item.name);
    }
    if (std::string error = InflateEntry(cursor, size, item.data); !error.empty()) {
      return fail(std::move(error), item.name);
    }
    if (UpperAscii(item.name) == kDefinitionName) {
      read.package.definition = std::move(item.data);
      read.package.hasDefinition = true;
      read.package.definitionNames.push_back(item.name);
    } else {
      read.package.images.push_back(std::move(item));
    }
  }
  read.used = cursor.Used();
  return read;
}

SkinPackageRead ReadSkinPackageFile(const std::filesystem::path& path) {
  OutsideFile file = ReadOutsideFile(path, SkinPackageLimits::kMaxPackageSize);
  if (!file.Ok()) {
    SkinPackageRead read;
    read.error = "Unable to read " + path.string() + ": " + file.message;
    return read;
  }
  const auto* data = reinterpret_cast<const std::uint8_t*>(file.bytes.data());
  return ReadSkinPackage({data, file.bytes.size()});
}

std::vector<std::uint8_t> WriteSkinPackage(std::span<const SkinPackageFile> files) {
  std::vector<std::uint8_t> out(kMagic.begin(), kMagic.end());
  const auto put32 = [&out](std::size_t value) {
    if (value > 0xFFFFFFFFu) throw std::length_error("a skin package holds sizes below 4 GiB");
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  put32(files.size());
  for (const SkinPackageFile& file : files) {
    put32(file.name.size());
    out.insert(out.end(), file.name.begin(), file.name.end());
    put32(file.data.size());
    uLongf packedSize = compressBound(static_cast<uLong>(file.data.size()));
    std::vector<std::uint8_t> packed(packedSize);
    const int result = compress2(packed.data(), &packedSize, file.data.data(),
                                 static_cast<uLong>(file.data.size()), Z_BEST_COMPRESSION);
    if (result != Z_OK) throw std::runtime_error(zError(result));
    out.insert(out.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(packedSize));
  }
  return out;
}

}  // namespace tappomat
