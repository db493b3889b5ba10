// The settings file as a document of entries, and the edits a write makes to it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/RegistryFile.h"
#include "settings/RegistryText.h"

namespace jadeleaf::registry {

inline constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

using StoredValue = RegistryFile::StoredValue;

std::string_view Trim(std::string_view s);

// Registry key and value names compare without regard to case.
bool SameName(std::string_view a, std::string_view b);

bool StartsWithNoCase(std::string_view s, std::string_view prefix);

// The value of a hexadecimal digit, or -1.
int HexDigit(char c);

// A dword's four bytes, little-endian, as the registry keeps them.
std::vector<std::uint8_t> DwordBytes(std::uint32_t number);

enum class EntryKind : std::uint8_t { Other, Section, Value };

// One logical line of the file with the physical lines it was read from, so
// that whatever this program does not change is written back as it was.
struct Entry {
    EntryKind kind = EntryKind::Other;
    std::vector<std::string> lines;
    bool inKey = false;  // the program's key line, or a value under it
    StoredValue value;
};

struct Document {
    std::vector<Entry> entries;
    TextEncoding encoding = TextEncoding::Utf8;
};

// A new file: the header line and an empty line.
Document EmptyDocument();

// Sets one value: the first copy in the key is replaced in place and any later
// copies, which would win on import, are dropped; a new value goes after the
// key's last value, and a missing key is added at the end.
void SetValue(Document& document, const RegistryValue& value);

// The file's bytes, in the encoding the document was read in.
std::string Serialize(const Document& document);

}  // namespace jadeleaf::registry
