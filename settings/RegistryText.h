// The settings file's text conversions: the encodings an export file comes in, and its lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace jadeleaf::registry {

// How the file's bytes hold its text; a write keeps the encoding it found.
enum class TextEncoding : std::uint8_t {
    Utf8,     // with or without a byte order mark; written without one
    Utf16Le,  // with a byte order mark, as regedit on Windows exports
};

struct FileText {
    std::string text;  // UTF-8
    TextEncoding encoding = TextEncoding::Utf8;
};

// UTF-16LE to UTF-8. A broken surrogate becomes U+FFFD rather than an error:
// it can only spoil the one text it sits in.
std::string Utf16LeToUtf8(std::string_view bytes, bool stopAtNul);

// UTF-8 to UTF-16LE; a byte that is not part of a sound UTF-8 sequence becomes U+FFFD.
std::string Utf8ToUtf16Le(std::string_view text);

// The file's bytes as UTF-8 text. Throws RegistryParseError for UTF-16 that
// ends in the middle of a character.
FileText DecodeFileText(std::string_view bytes, const std::string& path);

// The bytes of `text` in `encoding`, with the byte order mark UTF-16 needs.
std::string EncodeFileText(std::string_view text, TextEncoding encoding);

// The text's lines, without their line ends (LF or CR LF).
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace jadeleaf::registry
