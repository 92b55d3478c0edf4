#include "skin/data/image_reference.h"

#include <algorithm>
#include <vector>

#include "ui/convert.h"

namespace tappomat {
namespace {

// Columns `first` to `last` (1-based, inclusive) of the value, cut short at its end, as a
// strict number: a short or malformed field fails the load.
int Column(std::string_view value, std::size_t first, std::size_t last) {
  const std::size_t from = std::min(first - 1, value.size());
  return StrToInt(value.substr(from, last - first + 1));
}

std::vector<std::string_view> Split(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find_first_of(separators, start);
    words.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return words;
}

// No image is larger than this on a side, and the fields are 16 bits in the mask records:
// every number of a "!" word or "#" reference is kept within this range, so that the
// geometry computed from it cannot overflow.
constexpr std::int64_t kSmallest = -32768;
constexpr std::int64_t kLargest = 32767;

// A number clamped to the range above; 0 for a word that is no number (or has more than
// 18 digits).
int NumberOrZero(std::string_view word) {
  return static_cast<int>(std::clamp(TryStrToInt64(word).value_or(0), kSmallest, kLargest));
}

ImageReference Cut(ImageReference::Form form, ImageKind kind, std::string_view value) {
  ImageReference ref;
  ref.form = form;
  ref.kind = kind;
  ref.rect = {Column(value, 2, 5), Column(value, 7, 10), Column(value, 12, 15),
              Column(value, 17, 20)};
  return ref;
}

std::optional<ImageReference> ParseFile(std::string_view value) {
  // Word 0 is the empty text before the leading "!".
  const std::vector<std::string_view> words = Split(value, "!");
  const auto word = [&words](std::size_t i) {
    return i < words.size() ? words[i] : std::string_view();
  };
  const std::string upper = UpperAscii(word(1));
  if (upper.find(".BMP") == std::string::npos && upper.find(".PNG") == std::string::npos) {
    return std::nullopt;
  }
  ImageReference ref;
  ref.form = ImageReference::Form::File;
  ref.fileName = std::string(word(1));
  ref.frameCount = NumberOrZero(word(2));
  ref.maskType = NumberOrZero(word(3));
  ref.kind = static_cast<ImageKind>(std::clamp(NumberOrZero(word(4)), 0, 4));
  const std::size_t count = words.size() - 1;
  ref.marginsGiven = count >= 5;
  for (std::size_t i = 0; i < 4; ++i) ref.margins[i] = NumberOrZero(word(5 + i));
  ref.drawMode = count >= 9 ? NumberOrZero(word(9)) : 1;
  return ref;
}

// "name (l,t,r,b) (n,m,w,d)": the groups in parentheses, or blank-separated words when
// there are none; numbers inside a group are separated by blanks or commas.
ImageReference ParseHash(std::string_view value) {
  std::vector<std::string_view> groups;
  if (value.find('(') != std::string_view::npos) {
    std::size_t at = 0;
    while ((at = value.find('(', at)) != std::string_view::npos) {
      const std::size_t close = value.find(')', at);
      groups.push_back(value.substr(at + 1, close == std::string_view::npos ? close : close - at - 1));
      if (close == std::string_view::npos) break;
      at = close + 1;
    }
  } else {
    for (std::string_view word : Split(value, " ")) {
      if (!word.empty()) groups.push_back(word);
    }
    if (!groups.empty()) groups.erase(groups.begin());  // the name
  }
  const auto numbers = [&groups](std::size_t group) {
    std::vector<int> values;
    if (group >= groups.size()) return values;
    for (std::string_view word : Split(groups[group], " ,")) {
      if (!word.empty()) values.push_back(NumberOrZero(word));
    }
    return values;
  };
  const std::vector<int> rect = numbers(0), fields = numbers(1);
  const auto at = [](const std::vector<int>& v, std::size_t i, int otherwise) {
    return i < v.size() ? v[i] : otherwise;
  };
  ImageReference ref;
  ref.form = ImageReference::Form::Hash;
  ref.kind = ImageKind::BorderMask;
  ref.rect = {at(rect, 0, 0), at(rect, 1, 0), at(rect, 2, 0), at(rect, 3, 0)};
  ref.frameCount = std::max(at(fields, 0, 1), 1);
  ref.maskType = std::max(at(fields, 1, 0), 0);
  ref.borderWidth = std::max(at(fields, 2, 0), 0);
  ref.drawMode = at(fields, 3, 1);
  return ref;
}

}  // namespace

std::optional<ImageReference> ParseImageReference(std::string_view value) {
  if (value.empty()) return std::nullopt;
  using Form = ImageReference::Form;
  switch (value.front()) {
    case '@': {
      ImageReference ref = Cut(Form::Glyph, ImageKind::Glyph, value);
      ref.frameCount = Column(value, 22, 22);
      ref.maskType = Column(value, 24, 24);
      return ref;
    }
    case '^': {
      ImageReference ref = Cut(Form::BorderMask, ImageKind::BorderMask, value);
      ref.margins = {Column(value, 22, 25), Column(value, 27, 30), Column(value, 32, 35),
                     Column(value, 37, 40)};
      ref.frameCount = Column(value, 42, 42);
      ref.maskType = Column(value, 44, 44);
      ref.drawMode = Column(value, 46, 46);
      ref.borderWidth = Column(value, 48, 48);
      return ref;
    }
    case '~': {
      ImageReference ref = Cut(Form::Texture, ImageKind::Texture, value);
      ref.frameCount = 1;
      ref.drawMode = Column(value, 22, 23);
      ref.maskType = value.size() >= 25 ? Column(value, 25, 25) : 0;
      return ref;
    }
    case '!':
      return ParseFile(value);
    default:
      break;
  }
  if (value.find('#') != std::string_view::npos) return ParseHash(value);
  if (UpperAscii(value).find(".BMP") != std::string::npos) {
    ImageReference ref;
    ref.form = Form::BareBitmap;
    ref.kind = ImageKind::BorderMask;
    ref.fileName = std::string(value);
    ref.frameCount = 3;
    ref.maskType = 1;
    ref.drawMode = 1;
    return ref;
  }
  return std::nullopt;
}

}  // namespace tappomat
