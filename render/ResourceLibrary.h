// The resource library: the numbered bitmaps of the data file jl_res10.res.
#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "render/ResourceFile.h"

namespace jadeleaf {

class ResourceLibrary {
public:
    // Looks for the file beside the executable, then in the install
    // prefix's share/jadeleaf/ next to the executable's folder, then in
    // jadeleaf/ of the XDG data folders. The first name that exists is the
    // one used, whatever it turns out to be. On failure returns false and
    // sets `errorCode`: the errno of the failed open (2 when there is no file
    // anywhere), or 193 for a file that is not a valid resource file.
    bool Load(int& errorCode);
    // The same with the one file given.
    bool LoadFile(const std::string& path, int& errorCode);
    // The line under a failed load's error box: the file tried and why it
    // did not load (`errorCode` as Load gave it); empty when no file was tried.
    std::string FailureDetail(int errorCode) const;
    bool Loaded() const { return file_.Valid(); }
    void Release() { file_.Clear(); }

    // Bitmap `id`; a null image when the file lacks it or it cannot be decoded.
    QImage Bitmap(int id) const;
    // Bitmap `id` drawn natively at `density` times its size (1, 2 or 3); a
    // null image when the file has no such drawing (a file made before them),
    // it cannot be decoded, or it is not exactly `density` times the size of
    // bitmap `id`. Drawing then falls back to the small picture.
    QImage Bitmap(int id, int density) const;

    // The places looked at, in order.
    static std::vector<std::string> SearchPaths();

private:
    ResourceFile file_;
    // The file the last load opened or tried to open; empty when no file was
    // found to try.
    std::string triedPath_;
};

}  // namespace jadeleaf
