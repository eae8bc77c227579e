#pragma once
// Reading map images: JPEG files (by extension) through libjpeg, anything else through the
// platform's picture loader.
#include <functional>
#include <string>

#include "platform/ImageCodecs.h"

namespace druv {

using TPictureLoader = std::function<TRasterImage(const std::string& path)>;

// Whether the text after the last "." is "jpg" or "jpeg", letter case ignored.
bool IsJpegPath(const std::string& path);
// The file name without its folder.
std::string FileNamePart(const std::string& path);
// The folder of a path, with its trailing '/' ("" for a bare name).
std::string FolderPart(const std::string& path);

// The image of a map file; a non-JPEG file goes to otherFormats (an error when there is none).
// Throws druv::Error with a text for the user.
TRasterImage LoadMapPicture(const std::string& path, const TPictureLoader& otherFormats = {});

}  // namespace druv
