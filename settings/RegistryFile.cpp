// The registry key kept in a registry-editor export file: its reads, and its writes through a locked replace.
#include "settings/RegistryFile.h"

#include <utility>

#include "files/FileRead.h"
#include "files/FileReplace.h"
#include "files/XdgFolders.h"
#include "settings/RegistryParser.h"

namespace jadeleaf {

namespace {

using namespace registry;

// A settings file is a page of text; anything much larger is not one.
constexpr std::uintmax_t kLargestFile = 1024 * 1024;

}  // namespace

RegistryError::RegistryError(const std::string& message, std::string detail)
    : std::runtime_error(message), detail_(std::move(detail)) {}

RegistryParseError::RegistryParseError(std::string path, int line, std::string reason)
    : RegistryError("\"" + path + "\", line " + std::to_string(line) + ": " + reason),
      path_(std::move(path)),
      line_(line),
      reason_(std::move(reason)) {}

std::string ErrorBoxText(const std::exception& error) {
    const auto* registry = dynamic_cast<const RegistryError*>(&error);
    if (registry == nullptr || registry->Detail().empty()) return error.what();
    return std::string(error.what()) + "\n" + registry->Detail();
}

std::string RegistryFile::DefaultPath() { return ConfigHome() + "/Projects/Jadeleaf1.1_R6.reg"; }

RegistryFile::RegistryFile() : path_(DefaultPath()) {}

RegistryFile::RegistryFile(std::string path) : path_(std::move(path)) {}

bool RegistryFile::OpenKeyReadOnly() {
    CloseKey();
    std::string bytes;
    if (const int error = ReadRegularFile(path_, kLargestFile, bytes); error != 0) {
        if (IsMissingFile(error)) return false;
        throw RegistryError("Cannot read the settings file", FileFailureText("cannot read", path_, error, kLargestFile));
    }
    Document document = ParseDocument(bytes, path_);
    for (Entry& entry : document.entries) {
        if (!entry.inKey) continue;
        open_ = true;
        if (entry.kind == EntryKind::Value) values_.push_back(std::move(entry.value));
    }
    return open_;
}

void RegistryFile::CloseKey() {
    open_ = false;
    values_.clear();
}

const RegistryFile::StoredValue* RegistryFile::Find(std::string_view name) const {
    // The last copy of a value is the one an import leaves in the registry.
    for (auto it = values_.rbegin(); it != values_.rend(); ++it) {
        if (SameName(it->name, name)) return it->deleted ? nullptr : &*it;
    }
    return nullptr;
}

RegistryError RegistryFile::MissingValue(std::string_view name) const {
    return RegistryError("Failed to get data for '" + std::string(name) + "'",
                         "\"" + path_ + "\": the value is missing from the key");
}

RegistryError RegistryFile::MistypedValue(std::string_view name, const char* expected) const {
    return RegistryError("Invalid data type for '" + std::string(name) + "'",
                         "\"" + path_ + "\": the value is not " + expected);
}

bool RegistryFile::ValueExists(std::string_view name) const { return Find(name) != nullptr; }

std::int32_t RegistryFile::ReadInteger(std::string_view name) const {
    const StoredValue* value = Find(name);
    if (value == nullptr) throw MissingValue(name);
    if (value->type != kRegDword || value->bytes.size() != 4) throw MistypedValue(name, "a dword");
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) bits = bits << 8 | value->bytes[static_cast<std::size_t>(i)];
    return static_cast<std::int32_t>(bits);
}

std::string RegistryFile::ReadString(std::string_view name) const {
    const StoredValue* value = Find(name);
    if (value == nullptr) throw MissingValue(name);
    if (value->type != kRegSz && value->type != kRegExpandSz) throw MistypedValue(name, "a text");
    if (value->quoted) return value->text;
    const std::string_view bytes(reinterpret_cast<const char*>(value->bytes.data()), value->bytes.size());
    return Utf16LeToUtf8(bytes, true);
}

void RegistryFile::WriteValues(const std::vector<RegistryValue>& values) {
    if (values.empty()) return;
    const std::string failure = "Failed to set data for '" + values.front().name + "'";
    for (const RegistryValue& value : values) {
        const auto* text = std::get_if<std::string>(&value.data);
        for (std::string_view part : {std::string_view(value.name), text ? std::string_view(*text) : ""}) {
            if (part.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
                throw RegistryError(
                    failure,
                    "\"" + value.name + "\": a line break or NUL character cannot be kept in the settings file");
            }
        }
    }
    const std::string reason = ReplaceFileLocked(path_, lockWaitMs_, kLargestFile, [&](const std::string* present) {
        Document document = present != nullptr ? ParseDocument(*present, path_) : EmptyDocument();
        for (const RegistryValue& value : values) SetValue(document, value);
        return Serialize(document);
    });
    if (!reason.empty()) throw RegistryError(failure, reason);
}

void RegistryFile::WriteInteger(std::string_view name, std::int32_t value) {
    WriteValues({RegistryValue{std::string(name), value}});
}

void RegistryFile::WriteString(std::string_view name, std::string_view value) {
    WriteValues({RegistryValue{std::string(name), std::string(value)}});
}

}  // namespace jadeleaf
