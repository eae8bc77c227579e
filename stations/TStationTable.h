#pragma once
// The station table: one record per station call, eleven fixed fields (8-bit texts cut to their
// widths, two floating-point positions), kept for the life of the process. Records stand in
// insertion order until an index field list orders them. Besides the dataset-style cursor
// (First, Next, Locate, Edit, Post, FieldByName), readers such as the map get the records directly.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace druv {

enum TStationField : uint8_t {
  sfTime, sfStn, sfInfo, sfComment, sfLat, sfLon, sfPacket, sfPacket2, sfSymbol, sfTableId, sfGrid
};
constexpr int StationFieldCount = 11;

struct TFieldDefRec {
  std::string_view Name;
  bool IsFloat;
  size_t Width;  // text fields only
};
// In field order: TIME, STN, INFO, COMMENT, LAT, LON, PACKET, PACKET2, Symbol, TABLEID, GRID.
extern const std::array<TFieldDefRec, StationFieldCount> StationFieldDefs;

struct TStationRec {
  std::string TIME;     // local time of day the latest line was processed
  std::string STN;      // call with SSID; the key
  std::string INFO;     // information field
  std::string COMMENT;
  double LAT = 0;       // decimal degrees, north positive, 3 decimals
  double LON = 0;       // east positive
  std::string PACKET;   // the monitor line as received
  std::string PACKET2;  // the parser's normalized packet text
  std::string Symbol;   // symbol code character
  std::string TABLEID;  // symbol table identifier
  std::string GRID;     // 6-character locator, "JJ00AA" without position
};

// A field as text the way the table shows it: texts as stored, positions in general format.
std::string FieldText(const TStationRec& r, TStationField f);
// Nothing when the name is none of the eleven (compared ignoring case).
std::optional<TStationField> FieldByNameIndex(std::string_view name);

class TStationTable;

// One field of the current record (or of the edit buffer while editing or appending).
class TFieldRef {
 public:
  TFieldRef(TStationTable& table, TStationField field) : Table_(&table), Field_(field) {}
  std::string AsString() const;
  double AsFloat() const;  // a text field must hold a number
  void SetAsString(std::string_view text);  // cut to the width; a position field parses it
  void SetAsFloat(double v);
  TStationField Field() const { return Field_; }

 private:
  TStationTable* Table_;
  TStationField Field_;
};

class TStationTable {
 public:
  using TRecordId = uint32_t;  // position in insertion order
  static constexpr TRecordId NoRecord = UINT32_MAX;
  enum TState : uint8_t { tsInactive, tsBrowse, tsEdit, tsInsert };

  TStationTable() = default;
  TStationTable(const TStationTable&) = delete;  // the order keeps a pointer to its table
  TStationTable& operator=(const TStationTable&) = delete;

  // Creates the table from its field definitions, opens it and empties it.
  void CreateDataSet();
  void Open();
  void Close();
  bool Active() const { return State_ != tsInactive; }
  TState State() const { return State_; }
  void EmptyDataSet();

  size_t RecordCount() const { return Records_.size(); }
  bool IsEmpty() const { return Records_.empty(); }
  // Every record in insertion order; the id of a record is its index here.
  const std::vector<TStationRec>& Records() const { return Records_; }
  const TStationRec& Record(TRecordId id) const { return Records_.at(id); }
  // Record ids in the current order (insertion order, or the index field list's order).
  template <class F>
  void ForEachInOrder(F&& f) const {
    if (IndexFields_.empty()) {
      for (TRecordId id = 0; id < Records_.size(); ++id) f(id, Records_[id]);
    } else {
      for (TRecordId id : Order_) f(id, Records_[id]);
    }
  }
  // O(1): the record whose STN is exactly stn.
  TRecordId FindStn(std::string_view stn) const;

  // Cursor. An empty table has no current record; Next past the last record sets Eof and stays.
  void First();
  void Next();
  bool Eof() const { return Eof_; }
  TRecordId CurrentId() const { return Cursor_; }
  const TStationRec* Current() const { return Cursor_ == NoRecord ? nullptr : &Records_[Cursor_]; }
  // Moves to the first record, in the current order, whose field equals value exactly (a position
  // field compares numerically). True when found; otherwise the cursor stays where it was.
  bool Locate(std::string_view fieldName, std::string_view value);
  bool Locate(TStationField field, std::string_view value);

  TFieldRef FieldByName(std::string_view name);  // throws druv::Error for an unknown name
  TFieldRef Field(TStationField f) { return TFieldRef(*this, f); }

  void Edit();    // the current record into the edit buffer
  void Append();  // an empty edit buffer for a new record
  // Writes the edit buffer: the edited record changes, or the new one is added and becomes
  // current. A STN that another record already holds is refused (druv::Error) and the buffer
  // stays for Cancel.
  void Post();
  void Cancel();
  // Append and post in one step, values given as texts in field order.
  void AppendRecord(const std::array<std::string, StationFieldCount>& values);

  // "STN;GRID" orders the records by STN, then GRID, ascending (bytes compared); "" is insertion
  // order. The order is kept as records change, not rebuilt per query.
  void SetIndexFieldNames(std::string_view names);
  const std::string& IndexFieldNames() const { return IndexNames_; }

  // For list models and the map: after a record was added, after a record was changed by Post,
  // after the table was emptied.
  std::function<void(TRecordId)> OnAppended, OnChanged;
  std::function<void()> OnEmptied;
  // Counts the emptyings: record ids start again from 0 after one.
  uint64_t EmptyCount() const { return EmptyCount_; }

 private:
  friend class TFieldRef;
  struct TOrderLess {
    const TStationTable* Table;
    bool operator()(TRecordId a, TRecordId b) const;
  };

  void CheckActive() const;
  void CheckEditing() const;
  void CheckBrowse();
  // Where field f reads from: the edit buffer for a field set while editing or appending, else
  // the current record (an empty one if none).
  const TStationRec& FieldSource(TStationField f) const;
  void Set(TStationField f, std::string_view text);
  void SetFloat(TStationField f, double v);
  static void Store(TStationRec& r, TStationField f, std::string_view text);
  void RebuildOrder();

  // The STN index: open addressing with linear probing over (hash << 32 | id + 1) slots; the key
  // itself is compared in the record, where STN (15 bytes at most) is stored inline.
  static uint32_t StnHash(std::string_view stn);
  // Puts id's slot in the first free place of its probe sequence; the slots must have room.
  void IndexPlace(TRecordId id);
  void IndexInsert(TRecordId id);
  void IndexErase(TRecordId id);
  void IndexRebuild(size_t slots);

  std::vector<TStationRec> Records_;
  std::vector<uint64_t> Slots_;
  std::vector<TStationField> IndexFields_;
  std::string IndexNames_;
  std::set<TRecordId, TOrderLess> Order_{TOrderLess{this}};
  TState State_ = tsInactive;
  TRecordId Cursor_ = NoRecord;
  bool Eof_ = true;
  TStationRec Buffer_;
  uint16_t Dirty_ = 0;  // the fields set since Edit: only they are written back by Post
  uint64_t EmptyCount_ = 0;
};

}  // namespace druv
