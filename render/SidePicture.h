// Reading the player's side-window picture: any picture Qt reads, from a regular file of sane size.
#pragma once

#include <QImage>
#include <string>
#include <string_view>

namespace jadeleaf {

// The largest side-window picture file read.
inline constexpr long long kSidePictureFileLimit = 64LL * 1024 * 1024;

// Decodes a picture from its file's bytes; false for anything that is not a
// sound picture. A PNG whose chunks claim more bytes than the file holds is
// refused before the decoder sees it: such a chunk costs the decoder seconds.
bool DecodeSidePicture(std::string_view bytes, QImage& picture);

// Reads the file at `path` and decodes it. Only regular files are read, without
// blocking, up to the size limit. On failure `failure` names the file and
// why, for the line under an error box: cannot load "/tmp/a.txt": not a picture.
bool LoadSidePicture(const std::string& path, QImage& picture, std::string& failure);
bool LoadSidePicture(const std::string& path, QImage& picture);

}  // namespace jadeleaf
