// Converting the settings file between its bytes and UTF-8 text, in the encodings regedit and editors use.
#include "settings/RegistryText.h"

#include "settings/RegistryFile.h"

namespace jadeleaf::registry {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16Unit(std::string& out, char32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

// The code point that starts at `at`, leaving `at` after it. An overlong,
// cut or otherwise broken sequence gives U+FFFD for its first byte.
char32_t NextCodePoint(std::string_view text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || at + length > text.size()) {
        ++at;
        return kReplacement;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            ++at;
            return kReplacement;
        }
        c = c << 6 | (byte(at + i) & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++at;
        return kReplacement;
    }
    at += length;
    return c;
}

}  // namespace

std::string Utf16LeToUtf8(std::string_view bytes, bool stopAtNul) {
    std::string out;
    const std::size_t units = bytes.size() / 2;
    auto unitAt = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    };
    for (std::size_t i = 0; i < units; ++i) {
        char32_t c = unitAt(i);
        if (c == 0 && stopAtNul) break;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units && unitAt(i + 1) >= 0xDC00 && unitAt(i + 1) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::string Utf8ToUtf16Le(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = NextCodePoint(text, at);
        if (c < 0x10000) {
            AppendUtf16Unit(out, c);
        } else {
            AppendUtf16Unit(out, 0xD800 + ((c - 0x10000) >> 10));
            AppendUtf16Unit(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// Regedit on Windows exports UTF-16LE with a byte order mark, and editors
// may add a UTF-8 one.
FileText DecodeFileText(std::string_view bytes, const std::string& path) {
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) return {std::string(bytes.substr(kUtf8Bom.size()))};
    if (bytes.substr(0, kUtf16LeBom.size()) != kUtf16LeBom) return {std::string(bytes)};
    std::string text = Utf16LeToUtf8(bytes.substr(kUtf16LeBom.size()), false);
    if (bytes.size() % 2 != 0) {
        const auto lines = SplitLines(text).size();
        throw RegistryParseError(path, static_cast<int>(lines == 0 ? 1 : lines),
                                 "the file ends in the middle of a UTF-16 character");
    }
    return {std::move(text), TextEncoding::Utf16Le};
}

std::string EncodeFileText(std::string_view text, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) return std::string(text);
    return std::string(kUtf16LeBom) + Utf8ToUtf16Le(text);
}

}  // namespace jadeleaf::registry
