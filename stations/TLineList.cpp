#include "stations/TLineList.h"

#include <algorithm>

namespace druv {

namespace {
inline unsigned char Fold(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 32) : u;
}
bool LessIgnoringCase(std::string_view a, std::string_view b) { return CompareTextIgnoringCase(a, b) < 0; }
}  // namespace

int CompareTextIgnoringCase(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = Fold(a[i]), y = Fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::vector<std::string> TLineSource::ToVector() const {
  std::vector<std::string> out;
  out.reserve(Count());
  for (size_t i = 0; i < Count(); ++i) out.push_back(At(i));
  return out;
}

void TLineList::Append(std::string line) {
  const size_t index = Items_.size();
  AboutToInsert(index);
  Items_.push_back(std::move(line));
  Inserted(index);
}

void TLineList::Clear() {
  AboutToClear();
  Items_.clear();
  Cleared();
}

const std::string& TSortedLineList::At(size_t index) const {
  size_t b = static_cast<size_t>(std::upper_bound(Starts_.begin(), Starts_.end(), index) - Starts_.begin()) - 1;
  return Blocks_[b][index - Starts_[b]];
}

TSortedLineList::TBlockPlaceRec TSortedLineList::LowerBound(std::string_view text) const {
  // The first block whose last item is not below text holds the place (or the end of the last block).
  auto bit = std::lower_bound(Blocks_.begin(), Blocks_.end(), text,
                              [](const std::vector<std::string>& block, std::string_view t) {
                                return LessIgnoringCase(block.back(), t);
                              });
  if (bit == Blocks_.end()) {
    if (Blocks_.empty()) return {0, 0};
    return {Blocks_.size() - 1, Blocks_.back().size()};
  }
  auto it = std::lower_bound(bit->begin(), bit->end(), text,
                             [](const std::string& item, std::string_view t) { return LessIgnoringCase(item, t); });
  return {static_cast<size_t>(bit - Blocks_.begin()), static_cast<size_t>(it - bit->begin())};
}

size_t TSortedLineList::IndexOf(std::string_view text) const {
  TBlockPlaceRec p = LowerBound(text);
  if (p.Block < Blocks_.size() && p.Offset < Blocks_[p.Block].size() &&
      CompareTextIgnoringCase(Blocks_[p.Block][p.Offset], text) == 0)
    return Starts_[p.Block] + p.Offset;
  return Count_;
}

bool TSortedLineList::Add(std::string_view text) {
  TBlockPlaceRec p = LowerBound(text);
  if (Blocks_.empty()) {
    Blocks_.emplace_back();
    Starts_.push_back(0);
  } else if (p.Offset < Blocks_[p.Block].size() && CompareTextIgnoringCase(Blocks_[p.Block][p.Offset], text) == 0) {
    return false;
  }
  const size_t index = Starts_[p.Block] + p.Offset;
  AboutToInsert(index);
  std::vector<std::string>& block = Blocks_[p.Block];
  block.insert(block.begin() + static_cast<std::ptrdiff_t>(p.Offset), std::string(text));
  ++Count_;
  for (size_t b = p.Block + 1; b < Starts_.size(); ++b) ++Starts_[b];
  if (block.size() > MaxBlock) {
    // Split in halves; the second half becomes the next block.
    const size_t half = block.size() / 2;
    std::vector<std::string> tail(std::make_move_iterator(block.begin() + static_cast<std::ptrdiff_t>(half)),
                                  std::make_move_iterator(block.end()));
    block.resize(half);
    Blocks_.insert(Blocks_.begin() + static_cast<std::ptrdiff_t>(p.Block + 1), std::move(tail));
    Starts_.insert(Starts_.begin() + static_cast<std::ptrdiff_t>(p.Block + 1), Starts_[p.Block] + half);
  }
  Inserted(index);
  return true;
}

void TSortedLineList::Clear() {
  AboutToClear();
  Blocks_.clear();
  Starts_.clear();
  Count_ = 0;
  Cleared();
}

}  // namespace druv
