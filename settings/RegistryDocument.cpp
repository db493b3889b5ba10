// Editing the settings file's document: values set in place or added under the key, and the text written back.
#include "settings/RegistryDocument.h"

#include <cstdio>
#include <utility>
#include <variant>

namespace jadeleaf::registry {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Quote(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

Entry MakeValueEntry(const RegistryValue& value) {
    Entry entry;
    entry.kind = EntryKind::Value;
    entry.inKey = true;
    entry.value.name = value.name;
    std::string line = value.name.empty() ? "@=" : Quote(value.name) + "=";
    if (const auto* number = std::get_if<std::int32_t>(&value.data)) {
        const auto bits = static_cast<std::uint32_t>(*number);
        char digits[16];
        std::snprintf(digits, sizeof digits, "dword:%08x", bits);
        line += digits;
        entry.value.type = kRegDword;
        entry.value.bytes = DwordBytes(bits);
    } else {
        const std::string& text = std::get<std::string>(value.data);
        line += Quote(text);
        entry.value.type = kRegSz;
        entry.value.quoted = true;
        entry.value.text = text;
    }
    entry.lines.push_back(std::move(line));
    return entry;
}

// A new value goes after the last value of the key, so the values stay in the
// order they were first written; a missing key is added at the end.
void InsertValue(Document& document, Entry entry) {
    auto& entries = document.entries;
    std::size_t section = entries.size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].kind == EntryKind::Section && entries[i].inKey) section = i;
    }
    if (section == entries.size()) {
        const std::vector<std::string>& lastLines = entries.back().lines;
        if (!Trim(lastLines.back()).empty()) entries.push_back({EntryKind::Other, {""}, false, {}});
        entries.push_back({EntryKind::Section, {"[" + std::string(RegistryFile::kKeyName) + "]"}, true, {}});
        entries.push_back(std::move(entry));
        entries.push_back({EntryKind::Other, {""}, false, {}});
        return;
    }
    std::size_t at = section + 1;
    for (std::size_t i = section + 1; i < entries.size() && entries[i].kind != EntryKind::Section; ++i) {
        if (entries[i].kind == EntryKind::Value) at = i + 1;
    }
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
}

}  // namespace

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && SameName(s.substr(0, prefix.size()), prefix);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = AsciiLower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::vector<std::uint8_t> DwordBytes(std::uint32_t number) {
    return {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
            static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
}

Document EmptyDocument() {
    Document document;
    document.entries.push_back({EntryKind::Other, {std::string(kHeader)}, false, {}});
    document.entries.push_back({EntryKind::Other, {""}, false, {}});
    return document;
}

void SetValue(Document& document, const RegistryValue& value) {
    auto& entries = document.entries;
    bool replaced = false;
    for (auto it = entries.begin(); it != entries.end();) {
        if (it->kind == EntryKind::Value && it->inKey && SameName(it->value.name, value.name)) {
            if (replaced) {
                it = entries.erase(it);
                continue;
            }
            *it = MakeValueEntry(value);
            replaced = true;
        }
        ++it;
    }
    if (!replaced) InsertValue(document, MakeValueEntry(value));
}

// Lines end in CR LF so that the file imports into a Windows registry as it is.
std::string Serialize(const Document& document) {
    std::string text;
    for (const Entry& entry : document.entries) {
        for (const std::string& line : entry.lines) {
            text += line;
            text += "\r\n";
        }
    }
    return EncodeFileText(text, document.encoding);
}

}  // namespace jadeleaf::registry
