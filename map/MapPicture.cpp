#include "map/MapPicture.h"

#include "common/Error.h"

namespace druv {

bool IsJpegPath(const std::string& path) {
  const std::string name = FileNamePart(path);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  std::string ext = name.substr(dot + 1);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext == "jpg" || ext == "jpeg";
}

std::string FileNamePart(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderPart(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

TRasterImage LoadMapPicture(const std::string& path, const TPictureLoader& otherFormats) {
  if (IsJpegPath(path)) return LoadJpegFile(path);
  if (!otherFormats) throw Error("Unsupported picture format: " + path);
  return otherFormats(path);
}

}  // namespace druv
