// jl_artgen: draws all artwork and writes it as generated C++ sources or as a contact sheet.
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "resources/artgen/ArtCatalogue.h"
#include "resources/artgen/ContactSheet.h"
#include "resources/artgen/SourceWriter.h"

namespace {

constexpr const char* kUsage =
    "usage: jl_artgen [--out FOLDER] [--sheet FILE.png]\n"
    "  --out FOLDER      write ResourceData.cpp and ProgramArtData.cpp into FOLDER\n"
    "  --sheet FILE.png  write a contact sheet of every picture\n";

}  // namespace

int main(int argc, char* argv[]) {
    std::optional<std::filesystem::path> outFolder;
    std::optional<std::filesystem::path> sheetFile;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if ((option == "--out" || option == "--sheet") && i + 1 < argc) {
            (option == "--out" ? outFolder : sheetFile) = argv[++i];
        } else {
            std::cerr << "jl_artgen: unexpected argument '" << option << "'\n" << kUsage;
            return 2;
        }
    }
    if (!outFolder && !sheetFile) {
        std::cerr << kUsage;
        return 2;
    }
    try {
        const jadeleaf::ArtCatalogue catalogue = jadeleaf::BuildArtCatalogue();
        if (outFolder) jadeleaf::WriteArtSources(catalogue, *outFolder);
        if (sheetFile) jadeleaf::WriteContactSheet(catalogue, *sheetFile);
    } catch (const std::exception& error) {
        std::cerr << "jl_artgen: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
