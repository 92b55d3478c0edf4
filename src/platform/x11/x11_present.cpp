#include "platform/x11/x11_present.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <bit>
#include <cstdlib>
#include <cstring>

namespace tappomat {
namespace {

// Below this many pixels, sending them through the socket is cheaper than copying them
// into the shared segment and waiting for the server to be done with it.
constexpr long long kSharedMemoryMinimumPixels = 64 * 64;

constexpr int kHostByteOrder = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;

int BitsPerPixelOfDepth(Display* display, int depth) {
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
  int bits = 0;
  for (int i = 0; i < count; ++i) {
    if (formats[i].depth == depth) bits = formats[i].bits_per_pixel;
  }
  if (formats != nullptr) XFree(formats);
  return bits;
}

// One channel mask's position and width, for the slow conversion.
struct Channel {
  int shift = 0;
  int bits = 0;
  explicit Channel(unsigned long mask) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    bits = std::popcount(mask);
  }
  unsigned long Encode(std::uint8_t value) const {
    if (bits == 0) return 0;
    const unsigned long scaled = bits >= 8 ? static_cast<unsigned long>(value) << (bits - 8)
                                           : static_cast<unsigned long>(value) >> (8 - bits);
    return scaled << shift;
  }
};

// value * alpha / 255, rounded, exact for every byte pair.
std::uint8_t MultiplyByte(std::uint8_t value, std::uint8_t alpha) {
  const unsigned product = static_cast<unsigned>(value) * alpha + 128;
  return static_cast<std::uint8_t>((product + (product >> 8)) >> 8);
}

}  // namespace

X11Presenter::X11Presenter(X11Display& x, Window window, Visual* visual, int depth)
    : m_x(x), m_window(window), m_visual(visual), m_depth(depth) {
  m_gc = XCreateGC(x.Get(), window, 0, nullptr);
  m_direct = visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 &&
             visual->blue_mask == 0xFF && BitsPerPixelOfDepth(x.Get(), depth) == 32;
}

X11Presenter::~X11Presenter() {
  ReleaseSharedImage();
  if (m_gc != nullptr) XFreeGC(m_x.Get(), m_gc);
}

void X11Presenter::Put(const Bitmap32& source, const std::vector<Rect>& rects) {
  long long area = 0;
  for (const Rect& dirty : rects) {
    const Rect r = dirty.Intersect(source.Bounds());
    area += static_cast<long long>(r.Width()) * r.Height();
  }
  // Reusing the segment costs a round trip, which only large updates win back.
  const bool shared = m_direct && area >= kSharedMemoryMinimumPixels && m_x.ShmUsable() &&
                      EnsureSharedImage(source.Width(), source.Height());
  for (const Rect& dirty : rects) {
    const Rect rect = dirty.Intersect(source.Bounds());
    if (rect.IsEmpty()) continue;
    if (shared) {
      PutShared(source, rect);
    } else if (m_direct) {
      PutDirect(source, rect);
    } else {
      PutConverted(source, rect);
    }
  }
}

void X11Presenter::PutScaled(const Bitmap32& picture, std::uint8_t alpha) {
  if (alpha == 255) {
    Put(picture, {picture.Bounds()});
    return;
  }
  if (m_scaled.GetSize() != picture.GetSize()) m_scaled.Reset(picture.Width(), picture.Height());
  const auto in = picture.Pixels();
  const auto out = m_scaled.Pixels();
  for (std::size_t i = 0; i < in.size(); ++i) {
    const Pixel p = in[i];
    out[i] = MakePixel(MultiplyByte(PixelR(p), alpha), MultiplyByte(PixelG(p), alpha),
                       MultiplyByte(PixelB(p), alpha), MultiplyByte(PixelA(p), alpha));
  }
  Put(m_scaled, {m_scaled.Bounds()});
}

bool X11Presenter::EnsureSharedImage(int width, int height) {
  if (m_shmImage != nullptr && m_shmImage->width >= width && m_shmImage->height >= height) {
    return true;
  }
  ReleaseSharedImage();
  Display* display = m_x.Get();
  XImage* image = XShmCreateImage(display, m_visual, static_cast<unsigned>(m_depth), ZPixmap,
                                  nullptr, &m_shmInfo, static_cast<unsigned>(width),
                                  static_cast<unsigned>(height));
  if (image == nullptr) {
    m_x.DisableShm();
    return false;
  }
  // The rows are copied byte for byte, so the segment must hold pixels as we do.
  if (image->bits_per_pixel != 32 || image->byte_order != kHostByteOrder) {
    XDestroyImage(image);
    m_x.DisableShm();
    return false;
  }
  const std::size_t bytes = static_cast<std::size_t>(image->bytes_per_line) * image->height;
  m_shmInfo.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (m_shmInfo.shmid < 0) {
    XDestroyImage(image);
    m_x.DisableShm();
    return false;
  }
  m_shmInfo.shmaddr = static_cast<char*>(shmat(m_shmInfo.shmid, nullptr, 0));
  if (m_shmInfo.shmaddr == reinterpret_cast<char*>(-1)) {
    shmctl(m_shmInfo.shmid, IPC_RMID, nullptr);
    XDestroyImage(image);
    m_x.DisableShm();
    return false;
  }
  image->data = m_shmInfo.shmaddr;
  m_shmInfo.readOnly = False;
  bool attached = false;
  {
    // A server on another machine (or one that may not see our segments) refuses the
    // attach; we notice only here, and present through the socket from then on.
    X11ErrorTrap trap(display);
    attached = XShmAttach(display, &m_shmInfo) && !trap.Failed();
  }
  // Marked for removal now: the segment goes away by itself when both sides detach, even
  // if this process dies.
  shmctl(m_shmInfo.shmid, IPC_RMID, nullptr);
  if (!attached) {
    shmdt(m_shmInfo.shmaddr);
    image->data = nullptr;
    XDestroyImage(image);
    m_x.DisableShm();
    return false;
  }
  m_shmImage = image;
  m_shmBusy = false;
  return true;
}

void X11Presenter::ReleaseSharedImage() {
  if (m_shmImage == nullptr) return;
  Display* display = m_x.Get();
  XShmDetach(display, &m_shmInfo);
  // The server must have let go of the segment before we unmap it.
  XSync(display, False);
  shmdt(m_shmInfo.shmaddr);
  m_shmImage->data = nullptr;
  XDestroyImage(m_shmImage);
  m_shmImage = nullptr;
}

void X11Presenter::PutShared(const Bitmap32& source, const Rect& rect) {
  if (m_shmBusy) {
    // The previous put may still be reading the rows we are about to overwrite.
    XSync(m_x.Get(), False);
    m_shmBusy = false;
  }
  for (int y = rect.top; y < rect.bottom; ++y) {
    char* row = m_shmImage->data + static_cast<std::ptrdiff_t>(y) * m_shmImage->bytes_per_line;
    std::memcpy(row + static_cast<std::ptrdiff_t>(rect.left) * 4, source.Row(y) + rect.left,
                static_cast<std::size_t>(rect.Width()) * 4);
  }
  XShmPutImage(m_x.Get(), m_window, m_gc, m_shmImage, rect.left, rect.top, rect.left, rect.top,
               static_cast<unsigned>(rect.Width()), static_cast<unsigned>(rect.Height()), False);
  m_shmBusy = true;
}

void X11Presenter::PutDirect(const Bitmap32& source, const Rect& rect) {
  // An image header over the bitmap's own pixels; Xlib swaps bytes if the server needs.
  XImage image{};
  image.width = source.Width();
  image.height = source.Height();
  image.format = ZPixmap;
  image.data = const_cast<char*>(reinterpret_cast<const char*>(source.Pixels().data()));
  image.byte_order = kHostByteOrder;
  image.bitmap_unit = 32;
  image.bitmap_bit_order = kHostByteOrder;
  image.bitmap_pad = 32;
  image.depth = m_depth;
  image.bytes_per_line = source.Width() * 4;
  image.bits_per_pixel = 32;
  image.red_mask = m_visual->red_mask;
  image.green_mask = m_visual->green_mask;
  image.blue_mask = m_visual->blue_mask;
  if (!XInitImage(&image)) return;
  XPutImage(m_x.Get(), m_window, m_gc, &image, rect.left, rect.top, rect.left, rect.top,
            static_cast<unsigned>(rect.Width()), static_cast<unsigned>(rect.Height()));
}

void X11Presenter::PutConverted(const Bitmap32& source, const Rect& rect) {
  Display* display = m_x.Get();
  XImage* image = XCreateImage(display, m_visual, static_cast<unsigned>(m_depth), ZPixmap, 0,
                               nullptr, static_cast<unsigned>(rect.Width()),
                               static_cast<unsigned>(rect.Height()), 32, 0);
  if (image == nullptr) return;
  image->data = static_cast<char*>(
      std::malloc(static_cast<std::size_t>(image->bytes_per_line) * image->height));
  if (image->data == nullptr) {
    XDestroyImage(image);
    return;
  }
  const Channel red(m_visual->red_mask), green(m_visual->green_mask), blue(m_visual->blue_mask);
  for (int y = 0; y < rect.Height(); ++y) {
    const Pixel* row = source.Row(rect.top + y) + rect.left;
    for (int x = 0; x < rect.Width(); ++x) {
      const Pixel p = row[x];
      XPutPixel(image, x, y, red.Encode(PixelR(p)) | green.Encode(PixelG(p)) | blue.Encode(PixelB(p)));
    }
  }
  XPutImage(display, m_window, m_gc, image, 0, 0, rect.left, rect.top,
            static_cast<unsigned>(rect.Width()), static_cast<unsigned>(rect.Height()));
  XDestroyImage(image);  // frees the pixels too
}

}  // namespace tappomat
