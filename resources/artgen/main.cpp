// jl_artgen: draws all artwork and writes the resource file, the program pictures' source or a contact sheet.
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <string>

#include "resources/artgen/ArtCatalogue.h"
#include "resources/artgen/ContactSheet.h"
#include "resources/artgen/IconWriter.h"
#include "resources/artgen/ResourceFileWriter.h"
#include "resources/artgen/SourceWriter.h"

namespace {

constexpr const char* kUsage =
    "usage: jl_artgen [--res FILE] [--without NUMBER]... [--out FOLDER] [--sheet FILE.png] [--icons FOLDER]\n"
    "  --res FILE        write the resource file (jl_res10.res) to FILE\n"
    "  --without NUMBER  leave resource NUMBER (1 to 45) out of the resource file\n"
    "  --out FOLDER      write ProgramArtData.cpp into FOLDER\n"
    "  --sheet FILE.png  write a contact sheet of every picture\n"
    "  --icons FOLDER    write the desktop icons (jadeleaf-SIZE.png, jadeleaf.svg) into FOLDER\n";

int Usage(const std::string& complaint) {
    if (!complaint.empty()) std::cerr << "jl_artgen: " << complaint << '\n';
    std::cerr << kUsage;
    return 2;
}

std::optional<int> ResourceNumber(const std::string& text) {
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos) return {};
    const int number = std::stoi(text);
    if (number < 1 || number > 45) return {};
    return number;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::optional<std::filesystem::path> resourceFile;
    std::optional<std::filesystem::path> outFolder;
    std::optional<std::filesystem::path> sheetFile;
    std::optional<std::filesystem::path> iconFolder;
    std::set<int> omitted;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool takesValue = option == "--res" || option == "--out" || option == "--sheet" || option == "--without" ||
                                option == "--icons";
        if (!takesValue || i + 1 >= argc) return Usage("unexpected argument '" + option + "'");
        const std::string value = argv[++i];
        if (option == "--without") {
            const std::optional<int> number = ResourceNumber(value);
            if (!number) return Usage("not a resource number: '" + value + "'");
            omitted.insert(*number);
        } else {
            (option == "--res"     ? resourceFile
             : option == "--out"   ? outFolder
             : option == "--icons" ? iconFolder
                                   : sheetFile) = value;
        }
    }
    if (!resourceFile && !outFolder && !sheetFile && !iconFolder) return Usage("");
    try {
        const jadeleaf::ArtCatalogue catalogue = jadeleaf::BuildArtCatalogue();
        if (resourceFile) jadeleaf::WriteResourceFile(catalogue, *resourceFile, omitted);
        if (outFolder) jadeleaf::WriteArtSources(catalogue, *outFolder);
        if (sheetFile) jadeleaf::WriteContactSheet(catalogue, *sheetFile);
        if (iconFolder) jadeleaf::WriteIcons(*iconFolder);
    } catch (const std::exception& error) {
        std::cerr << "jl_artgen: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
