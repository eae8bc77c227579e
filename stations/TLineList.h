#pragma once
// Lists of 8-bit lines behind list boxes: the window's model watches one through its hooks, so a
// list that grows without bound is never copied into the widget.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace druv {

class TLineSource {
 public:
  virtual ~TLineSource() = default;
  virtual size_t Count() const = 0;
  virtual const std::string& At(size_t index) const = 0;
  // Counts the clearings, so a reader that keeps its place in the list notices one.
  uint64_t Generation() const { return Generation_; }
  std::vector<std::string> ToVector() const;

  // Before and after a line goes in at index; before and after the list is emptied.
  std::function<void(size_t index)> OnAboutToInsert, OnInserted;
  std::function<void()> OnAboutToClear, OnCleared;

 protected:
  void AboutToInsert(size_t index) {
    if (OnAboutToInsert) OnAboutToInsert(index);
  }
  void Inserted(size_t index) {
    if (OnInserted) OnInserted(index);
  }
  void AboutToClear() {
    if (OnAboutToClear) OnAboutToClear();
  }
  void Cleared() {
    ++Generation_;
    if (OnCleared) OnCleared();
  }

 private:
  uint64_t Generation_ = 0;
};

// Insertion order, duplicates kept.
class TLineList : public TLineSource {
 public:
  size_t Count() const override { return Items_.size(); }
  const std::string& At(size_t index) const override { return Items_[index]; }
  const std::vector<std::string>& Items() const { return Items_; }
  void Append(std::string line);
  void Clear();

 private:
  std::vector<std::string> Items_;
};

// Compares as the station list sorts: the letters a to z as their capitals, other bytes as they are.
int CompareTextIgnoringCase(std::string_view a, std::string_view b);

// Kept in case-insensitive order, each text once (ignoring case). Stored in blocks of a few
// hundred items, so adding one to a list of a hundred thousand moves a few hundred, not all.
class TSortedLineList : public TLineSource {
 public:
  size_t Count() const override { return Count_; }
  const std::string& At(size_t index) const override;  // O(log blocks)
  // Inserts text at its place unless an item equal to it ignoring case is there; true when added.
  bool Add(std::string_view text);
  // The index of the item equal to text ignoring case, or Count() when there is none.
  size_t IndexOf(std::string_view text) const;
  void Clear();

  static constexpr size_t MaxBlock = 128;

 private:
  struct TBlockPlaceRec {
    size_t Block, Offset;
  };
  TBlockPlaceRec LowerBound(std::string_view text) const;

  std::vector<std::vector<std::string>> Blocks_;
  std::vector<size_t> Starts_;  // index of each block's first item
  size_t Count_ = 0;
};

}  // namespace druv
