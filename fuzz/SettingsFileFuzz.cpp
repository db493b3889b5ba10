// Fuzzes the settings file: any bytes as the file on disk, read value by value and written back.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzTarget.h"
#include "settings/RegistryFile.h"

namespace {

std::string folder;

void Write(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The names the game reads, and every name the bytes seem to hold.
std::vector<std::string> NamesIn(std::string_view bytes) {
    std::vector<std::string> names = {"TimeDisplay",   "InfoDisplay",   "Show Messages", "Assistance",
                                      "ShowPicture",   "SideWindow Width", "SideWindow Height", "SWBmpPath",
                                      "Delay1 Slider", "Delay2 Slider", "Form Top",      "Form Left",
                                      "Form Width",    "Form Height",   "Form State",    ""};
    for (std::size_t at = bytes.find('"'); at != std::string_view::npos && names.size() < 64;
         at = bytes.find('"', at + 1)) {
        const std::size_t end = bytes.find('"', at + 1);
        if (end == std::string_view::npos) break;
        names.emplace_back(bytes.substr(at + 1, end - at - 1));
        at = end;
    }
    return names;
}

void ReadEverything(jadeleaf::RegistryFile& file, const std::vector<std::string>& names) {
    try {
        if (!file.OpenKeyReadOnly()) return;
    } catch (const jadeleaf::RegistryError&) {
        return;
    }
    for (const std::string& name : names) {
        const bool exists = file.ValueExists(name);
        try {
            file.ReadInteger(name);
        } catch (const jadeleaf::RegistryError&) {
        }
        try {
            file.ReadString(name);
        } catch (const jadeleaf::RegistryError&) {
            if (exists && !file.ValueExists(name)) std::abort();
        }
    }
    file.CloseKey();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Memory-backed when possible: every write of the settings file is flushed to its disk.
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/jadeleaf-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    folder = pattern;
    std::atexit([] { std::filesystem::remove_all(folder); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> names = NamesIn(bytes);

    const std::string path = folder + "/Jadeleaf1.1_R6.reg";
    Write(path, bytes);
    jadeleaf::RegistryFile original(path);
    ReadEverything(original, names);

    // A write either fails and leaves the file as it was, or reads back.
    const std::string copyPath = folder + "/copy.reg";
    Write(copyPath, bytes);
    jadeleaf::RegistryFile copy(copyPath);
    bool written = false;
    try {
        copy.WriteValues({{"Form Top", std::int32_t{-7}}, {"SWBmpPath", std::string("C:\\sw \"01\".bmp")}});
        written = true;
    } catch (const jadeleaf::RegistryError&) {
    }
    if (written) {
        jadeleaf::RegistryFile check(copyPath);
        if (!check.OpenKeyReadOnly() || check.ReadInteger("Form Top") != -7 ||
            check.ReadString("SWBmpPath") != "C:\\sw \"01\".bmp")
            std::abort();
        ReadEverything(check, names);
    } else {
        std::ifstream file(copyPath, std::ios::binary);
        const std::string after{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (after != bytes) std::abort();
    }
    return 0;
}
