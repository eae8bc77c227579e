#include "radio/TQthFile.h"

#include "common/Files.h"

namespace druv {

std::optional<TQthTextsRec> LoadQth(const std::string& path) {
  auto lines = ReadLines(path);
  if (!lines) return std::nullopt;
  TQthTextsRec q;
  if (lines->size() > 0) q.Latitude = (*lines)[0];
  if (lines->size() > 1) q.Longitude = (*lines)[1];
  return q;
}

void SaveQth(const std::string& path, const TQthTextsRec& texts) {
  WriteFileAtomic(path, JoinLinesCrLf({texts.Latitude, texts.Longitude}));
}

}  // namespace druv
