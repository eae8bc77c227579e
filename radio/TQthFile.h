#pragma once
// "qth.cfg": the operator's position for the map tools, the latitude text and the longitude text.
#include <optional>
#include <string>

namespace druv {

struct TQthTextsRec {
  std::string Latitude;
  std::string Longitude;
  bool operator==(const TQthTextsRec&) const = default;
};

inline constexpr const char* QthFileName = "qth.cfg";

// Nothing when the file cannot be read; a line the file does not have gives an empty text.
std::optional<TQthTextsRec> LoadQth(const std::string& path);
// Throws druv::Error when the file cannot be written; the old file then stays as it was.
void SaveQth(const std::string& path, const TQthTextsRec& texts);

// Where the position texts are shown and edited: the map configuration window and the locate tool.
class IQthFields {
 public:
  virtual ~IQthFields() = default;
  // Into the latitude and longitude fields of both windows.
  virtual void SetQthTexts(const TQthTextsRec& texts) = 0;
  // As the configuration window's fields stand now.
  virtual TQthTextsRec QthTexts() const = 0;
};

// Until those windows have their fields: the texts kept in memory.
class TQthTexts : public IQthFields {
 public:
  void SetQthTexts(const TQthTextsRec& texts) override { Texts_ = texts; }
  TQthTextsRec QthTexts() const override { return Texts_; }

 private:
  TQthTextsRec Texts_;
};

}  // namespace druv
