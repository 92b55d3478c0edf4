#include "imaging/jpeg_decoder.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstddef>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace tappomat {
namespace {

// A progressive file can repeat scans without end, and each scan walks the whole image;
// TurboJPEG stops at the same number.
constexpr int kMaxScans = 500;

// libjpeg calls error_exit on fatal errors and expects it not to return: it jumps back to
// the setjmp in JpegDecompressor. `base` comes first so libjpeg's pointer to it is a
// pointer to the whole.
struct JpegErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnJpegError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// Level -1 is a warning, higher levels are trace output. Warnings that mean data is
// missing become errors at once: libjpeg would pad the image with grey and go on.
void OnJpegMessage(j_common_ptr cinfo, int level) {
  if (level != -1) return;
  const int code = cinfo->err->msg_code;
  if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) OnJpegError(cinfo);
}

void OnJpegProgress(j_common_ptr cinfo) {
  const auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (decompress->input_scan_number > kMaxScans) {
    auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "too many scans");
    std::longjmp(err->jump, 1);
  }
}

// Owns one libjpeg decompressor. Start and ReadRows run every libjpeg call that can fail;
// errors longjmp back into them, so they hold nothing with a destructor. The caller
// allocates the output between the two.
class JpegDecompressor {
 public:
  JpegDecompressor() {
    m_cinfo.err = jpeg_std_error(&m_err.base);
    m_err.base.error_exit = OnJpegError;
    m_err.base.emit_message = OnJpegMessage;
    m_err.message[0] = '\0';
    m_progress.progress_monitor = OnJpegProgress;
  }
  // Safe before jpeg_create_decompress too: the zeroed struct holds no memory manager.
  ~JpegDecompressor() { jpeg_destroy_decompress(&m_cinfo); }
  JpegDecompressor(const JpegDecompressor&) = delete;
  JpegDecompressor& operator=(const JpegDecompressor&) = delete;

  // Reads the headers, checks the size and starts decompression to RGB or grey.
  bool Start(std::span<const std::uint8_t> data, std::int64_t maxPixels) {
    if (setjmp(m_err.jump)) return false;
    jpeg_create_decompress(&m_cinfo);
    m_cinfo.progress = &m_progress;
    jpeg_mem_src(&m_cinfo, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&m_cinfo, TRUE);
    if (!FitsPixelLimit(m_cinfo.image_width, m_cinfo.image_height, maxPixels)) {
      m_tooLarge = true;
      return Reject("image too large");
    }
    // Arithmetic coding can make a huge image of a few bytes, so the check below would not
    // hold; skins do not use it.
    if (m_cinfo.arith_code) return Reject("arithmetic coding is not supported");
    if (!FitsItsBytes(data.size())) return Reject("the file is too short for its stated size");
    switch (m_cinfo.jpeg_color_space) {
      case JCS_GRAYSCALE:
        m_cinfo.out_color_space = JCS_GRAYSCALE;
        break;
      case JCS_CMYK:
      case JCS_YCCK:
        return Reject("CMYK images are not supported");
      default:
        m_cinfo.out_color_space = JCS_RGB;
        break;
    }
    jpeg_start_decompress(&m_cinfo);
    if (m_cinfo.output_width != m_cinfo.image_width ||
        m_cinfo.output_height != m_cinfo.image_height) {
      return Reject("unexpected output size");
    }
    return true;
  }

  // Decodes every row into `bitmap` through `row`, one row of samples.
  bool ReadRows(Bitmap32& bitmap, std::vector<JSAMPLE>& row) {
    if (setjmp(m_err.jump)) return false;
    const bool grey = Components() == 1;
    while (m_cinfo.output_scanline < m_cinfo.output_height) {
      const int y = static_cast<int>(m_cinfo.output_scanline);
      JSAMPROW rows[1] = {row.data()};
      if (jpeg_read_scanlines(&m_cinfo, rows, 1) != 1) return Reject("no row decoded");
      Pixel* dst = bitmap.Row(y);
      for (int x = 0; x < bitmap.Width(); ++x) {
        const JSAMPLE* s = grey ? &row[x] : &row[3 * static_cast<std::size_t>(x)];
        dst[x] = grey ? MakePixel(s[0], s[0], s[0]) : MakePixel(s[0], s[1], s[2]);
      }
    }
    // Reads on to the end of image, so a file cut after its last row is still refused.
    jpeg_finish_decompress(&m_cinfo);
    return true;
  }

  Size StatedSize() const {
    return {static_cast<int>(m_cinfo.image_width), static_cast<int>(m_cinfo.image_height)};
  }
  bool TooLarge() const { return m_tooLarge; }
  Size OutputSize() const {
    return {static_cast<int>(m_cinfo.output_width), static_cast<int>(m_cinfo.output_height)};
  }
  int Components() const { return m_cinfo.output_components; }
  const char* Error() const { return m_err.message; }

 private:
  // Whether `bytes` can hold the image the header states, checked before the image or
  // libjpeg's whole-image buffers are allocated. A sound file's first scan is a DC scan or
  // a sequential one, which codes every block of its components with at least one bit of
  // Huffman code, so the file has at least as many bits as the component with the fewest
  // blocks has blocks. A file with fewer is damaged, whatever it holds.
  bool FitsItsBytes(std::size_t bytes) const {
    std::uint64_t fewest = UINT64_MAX;
    for (int c = 0; c < m_cinfo.num_components; ++c) {
      const jpeg_component_info& component = m_cinfo.comp_info[c];
      fewest = std::min<std::uint64_t>(
          fewest, std::uint64_t{component.width_in_blocks} * component.height_in_blocks);
    }
    return std::uint64_t{bytes} * 8 >= fewest;
  }

  bool Reject(const char* why) {
    std::snprintf(m_err.message, sizeof m_err.message, "%s", why);
    return false;
  }

  jpeg_decompress_struct m_cinfo{};
  JpegErrorManager m_err{};
  jpeg_progress_mgr m_progress{};
  bool m_tooLarge = false;
};

DecodedImage Fail(const char* why) { return DecodedImage::Failure(std::string("JPEG: ") + why); }

}  // namespace

DecodedImage DecodeJpeg(std::span<const std::uint8_t> data, std::int64_t maxPixels) {
  if (data.size() < 3 || data[0] != 0xFF || data[1] != 0xD8 || data[2] != 0xFF)
    return Fail("not a JPEG file");
  JpegDecompressor decompressor;
  if (!decompressor.Start(data, maxPixels)) {
    if (decompressor.TooLarge()) {
      return DecodedImage::TooLarge(std::string("JPEG: ") + decompressor.Error(),
                                    decompressor.StatedSize());
    }
    return Fail(decompressor.Error());
  }
  if (decompressor.Components() != 1 && decompressor.Components() != 3)
    return Fail("unexpected colour layout");

  const Size size = decompressor.OutputSize();
  Bitmap32 bitmap(size.width, size.height);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(size.width) * decompressor.Components());
  if (!decompressor.ReadRows(bitmap, row)) return Fail(decompressor.Error());
  return DecodedImage::Success(std::move(bitmap));
}

DecodedImage DecodeJpeg(std::span<const std::uint8_t> data) { return DecodeJpeg(data, kMaxImagePixels); }

}  // namespace tappomat
