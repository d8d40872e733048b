#include "forms/ByteText.h"

#include <QList>

#include <algorithm>

namespace kadenzo::forms {

namespace {

constexpr char32_t kControlPictures = 0x2400;
constexpr char32_t kDeletePicture = 0x2421;
constexpr char32_t kRawBytes = 0xF700;

// Characters that cannot stand for themselves: C1 controls and invisible
// marks, line and paragraph separators, the editor's own frame markers and
// object character, and our placeholders.
bool IsReserved(char32_t c) {
  return (c >= 0x80 && c <= 0x9F) || c == 0x2028 || c == 0x2029 ||
         (c >= kControlPictures && c <= kDeletePicture) || (c >= 0xF780 && c <= 0xF7FF) ||
         (c >= 0xFDD0 && c <= 0xFDEF) || c == 0xFEFF || (c >= 0xFFF9 && c <= 0xFFFC);
}

// Decodes one well-formed UTF-8 sequence at the start of `bytes`; returns its
// length, or 0 when the bytes there are not one.
std::size_t DecodeUtf8(std::string_view bytes, char32_t& c) {
  auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  auto continuation = [&](std::size_t i) { return i < bytes.size() && (b(i) & 0xC0) == 0x80; };
  unsigned char lead = b(0);
  std::size_t length = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    c = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, min = 0x80, c = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, min = 0x800, c = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, min = 0x10000, c = lead & 0x07;
  } else {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (!continuation(i)) return 0;
    c = (c << 6) | (b(i) & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

bool IsPlainAscii(unsigned char b) { return (b >= 0x20 && b < 0x7F) || b == '\t'; }

void AppendUtf8(std::string& out, char32_t c) {
  auto put = [&](char32_t v) { out += static_cast<char>(v); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | (c >> 6)), put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | (c >> 12)), put(0x80 | ((c >> 6) & 0x3F)), put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | (c >> 18)), put(0x80 | ((c >> 12) & 0x3F)), put(0x80 | ((c >> 6) & 0x3F)),
        put(0x80 | (c & 0x3F));
  }
}

}  // namespace

QString BytesToText(std::string_view bytes) {
  // Most score lines are plain ASCII; they need no decoding.
  if (std::all_of(bytes.begin(), bytes.end(),
                  [](char b) { return IsPlainAscii(static_cast<unsigned char>(b)); })) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  }
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (std::size_t at = 0; at < bytes.size();) {
    char32_t c = 0;
    std::size_t length = DecodeUtf8(bytes.substr(at), c);
    if (length == 1 && (c < 0x20 || c == 0x7F) && c != '\t') {
      text += QChar(static_cast<char16_t>(c == 0x7F ? kDeletePicture : kControlPictures + c));
    } else if (length == 0 || IsReserved(c)) {
      // Shown byte by byte, so that what follows is decoded afresh.
      length = 1;
      text += QChar(static_cast<char16_t>(kRawBytes + static_cast<unsigned char>(bytes[at])));
    } else if (c < 0x10000) {
      text += QChar(static_cast<char16_t>(c));
    } else {
      text += QChar(QChar::highSurrogate(c));
      text += QChar(QChar::lowSurrogate(c));
    }
    at += length;
  }
  return text;
}

std::string TextToBytes(const QString& text) {
  if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })) {
    QByteArray ascii = text.toLatin1();
    return std::string(ascii.constData(), static_cast<std::size_t>(ascii.size()));
  }
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (char32_t c : text.toUcs4()) {
    if (c >= kControlPictures && c < kControlPictures + 0x20) {
      bytes += static_cast<char>(c - kControlPictures);
    } else if (c == kDeletePicture) {
      bytes += '\x7f';
    } else if (c >= 0xF780 && c <= 0xF7FF) {
      bytes += static_cast<char>(c - kRawBytes);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      AppendUtf8(bytes, 0xFFFD);
    } else {
      AppendUtf8(bytes, c);
    }
  }
  return bytes;
}

}  // namespace kadenzo::forms
