// The resource library: numbered bitmaps in a shared library loaded by name.
#pragma once

#include <QImage>

struct JlResourceTable;

namespace jadeleaf {

inline constexpr const char* kResourceLibraryName = "libjl_res10.so";

class ResourceLibrary {
public:
    ResourceLibrary() = default;
    ~ResourceLibrary();
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;

    // Loads the library by its bare name through the platform's library
    // search order. On failure returns false and sets `errorCode` to the
    // system's error number (2 when the file is not found).
    bool Load(int& errorCode);
    bool Loaded() const { return handle_ != nullptr; }
    void Release();

    // Bitmap `id`; a null image when the library lacks it or it cannot be read.
    QImage Bitmap(int id) const;

private:
    void* handle_ = nullptr;
    const JlResourceTable* table_ = nullptr;
};

}  // namespace jadeleaf
