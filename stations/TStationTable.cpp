#include "stations/TStationTable.h"

#include <algorithm>

#include "common/Error.h"
#include "common/Numbers.h"
#include "common/Text.h"

namespace druv {

const std::array<TFieldDefRec, StationFieldCount> StationFieldDefs = {{
    {"TIME", false, 11},
    {"STN", false, 15},
    {"INFO", false, 70},
    {"COMMENT", false, 70},
    {"LAT", true, 0},
    {"LON", true, 0},
    {"PACKET", false, 200},
    {"PACKET2", false, 200},
    {"Symbol", false, 5},
    {"TABLEID", false, 5},
    {"GRID", false, 8},
}};

namespace {

std::string* TextField(TStationRec& r, TStationField f) {
  switch (f) {
    case sfTime: return &r.TIME;
    case sfStn: return &r.STN;
    case sfInfo: return &r.INFO;
    case sfComment: return &r.COMMENT;
    case sfPacket: return &r.PACKET;
    case sfPacket2: return &r.PACKET2;
    case sfSymbol: return &r.Symbol;
    case sfTableId: return &r.TABLEID;
    case sfGrid: return &r.GRID;
    case sfLat:
    case sfLon: break;
  }
  return nullptr;
}

const std::string* TextField(const TStationRec& r, TStationField f) {
  return TextField(const_cast<TStationRec&>(r), f);
}

double FloatField(const TStationRec& r, TStationField f) { return f == sfLat ? r.LAT : r.LON; }

double ParseFloatValue(std::string_view text) {
  if (TrimView(text).empty()) return 0;
  return StrToFloat(text);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && UpperCase(a) == UpperCase(b);
}

}  // namespace

std::string FieldText(const TStationRec& r, TStationField f) {
  if (const std::string* s = TextField(r, f)) return *s;
  return FormatGeneral(FloatField(r, f));
}

std::optional<TStationField> FieldByNameIndex(std::string_view name) {
  for (int i = 0; i < StationFieldCount; ++i)
    if (EqualsIgnoringCase(StationFieldDefs[i].Name, name)) return static_cast<TStationField>(i);
  return std::nullopt;
}

// ---- TFieldRef

std::string TFieldRef::AsString() const { return FieldText(Table_->FieldSource(Field_), Field_); }

double TFieldRef::AsFloat() const {
  const TStationRec& r = Table_->FieldSource(Field_);
  if (const std::string* s = TextField(r, Field_)) return ParseFloatValue(*s);
  return FloatField(r, Field_);
}

void TFieldRef::SetAsString(std::string_view text) { Table_->Set(Field_, text); }

void TFieldRef::SetAsFloat(double v) { Table_->SetFloat(Field_, v); }

// ---- TStationTable

bool TStationTable::TOrderLess::operator()(TRecordId a, TRecordId b) const {
  const TStationRec& ra = Table->Records_[a];
  const TStationRec& rb = Table->Records_[b];
  for (TStationField f : Table->IndexFields_) {
    if (const std::string* sa = TextField(ra, f)) {
      int c = sa->compare(*TextField(rb, f));
      if (c != 0) return c < 0;
    } else {
      double da = FloatField(ra, f), db = FloatField(rb, f);
      if (da != db) return da < db;
    }
  }
  return a < b;
}

void TStationTable::CreateDataSet() {
  State_ = tsBrowse;
  EmptyDataSet();
}

void TStationTable::Open() {
  if (State_ == tsInactive) State_ = tsBrowse;
}

void TStationTable::Close() {
  State_ = tsInactive;
  Buffer_ = TStationRec{};
}

void TStationTable::EmptyDataSet() {
  CheckActive();
  Records_.clear();
  Slots_.clear();
  ++EmptyCount_;
  Order_.clear();
  Cursor_ = NoRecord;
  Eof_ = true;
  State_ = tsBrowse;
  if (OnEmptied) OnEmptied();
}

uint32_t TStationTable::StnHash(std::string_view stn) {
  return static_cast<uint32_t>(std::hash<std::string_view>{}(stn));
}

TStationTable::TRecordId TStationTable::FindStn(std::string_view stn) const {
  if (Slots_.empty()) return NoRecord;
  const uint32_t h = StnHash(stn);
  const size_t mask = Slots_.size() - 1;
  for (size_t i = h & mask;; i = (i + 1) & mask) {
    const uint64_t slot = Slots_[i];
    if (slot == 0) return NoRecord;
    const TRecordId id = static_cast<TRecordId>(slot & 0xFFFFFFFFu) - 1;
    if (static_cast<uint32_t>(slot >> 32) == h && Records_[id].STN == stn) return id;
  }
}

void TStationTable::IndexPlace(TRecordId id) {
  const uint32_t h = StnHash(Records_[id].STN);
  const size_t mask = Slots_.size() - 1;
  size_t i = h & mask;
  while (Slots_[i] != 0) i = (i + 1) & mask;
  Slots_[i] = (static_cast<uint64_t>(h) << 32) | (id + 1);
}

void TStationTable::IndexRebuild(size_t slots) {
  Slots_.assign(slots, 0);
  for (TRecordId id = 0; id < Records_.size(); ++id) IndexPlace(id);
}

// Records_[id] is in place; the index gets its STN.
void TStationTable::IndexInsert(TRecordId id) {
  // At most half full, so probes stay short.
  if (Records_.size() * 2 > Slots_.size())
    IndexRebuild(std::max<size_t>(64, Slots_.size() * 2));
  else
    IndexPlace(id);
}

// Removes id's slot (found through its record's STN), shifting later slots of the run back so
// no probe sequence is broken.
void TStationTable::IndexErase(TRecordId id) {
  const size_t mask = Slots_.size() - 1;
  size_t i = StnHash(Records_[id].STN) & mask;
  while ((Slots_[i] & 0xFFFFFFFFu) != id + 1u) i = (i + 1) & mask;
  size_t hole = i;
  for (size_t j = (hole + 1) & mask; Slots_[j] != 0; j = (j + 1) & mask) {
    const size_t home = static_cast<uint32_t>(Slots_[j] >> 32) & mask;
    // Slot j may move into the hole when its home is not in the cyclic range (hole, j].
    const bool homeInRange = hole < j ? (home > hole && home <= j) : (home > hole || home <= j);
    if (!homeInRange) {
      Slots_[hole] = Slots_[j];
      hole = j;
    }
  }
  Slots_[hole] = 0;
}

void TStationTable::CheckActive() const {
  if (State_ == tsInactive) throw Error("Cannot perform this operation on a closed dataset");
}

void TStationTable::CheckEditing() const {
  if (State_ != tsEdit && State_ != tsInsert) throw Error("Dataset not in edit or insert mode");
}

// Moving the cursor posts a pending edit first, as a data-aware table does.
void TStationTable::CheckBrowse() {
  CheckActive();
  if (State_ == tsEdit || State_ == tsInsert) Post();
}

void TStationTable::First() {
  CheckBrowse();
  if (Records_.empty()) {
    Cursor_ = NoRecord;
    Eof_ = true;
    return;
  }
  Cursor_ = IndexFields_.empty() ? 0 : *Order_.begin();
  Eof_ = false;
}

void TStationTable::Next() {
  CheckBrowse();
  if (Cursor_ == NoRecord) {
    Eof_ = true;
    return;
  }
  if (IndexFields_.empty()) {
    if (Cursor_ + 1 < Records_.size())
      ++Cursor_;
    else
      Eof_ = true;
    return;
  }
  auto it = Order_.find(Cursor_);
  if (it != Order_.end()) ++it;
  if (it == Order_.end())
    Eof_ = true;
  else
    Cursor_ = *it;
}

bool TStationTable::Locate(std::string_view fieldName, std::string_view value) {
  auto f = FieldByNameIndex(fieldName);
  if (!f) throw Error("Field '" + std::string(fieldName) + "' not found");
  return Locate(*f, value);
}

bool TStationTable::Locate(TStationField field, std::string_view value) {
  CheckBrowse();
  TRecordId found = NoRecord;
  if (field == sfStn) {
    // STN is unique, so the hash gives the record a scan from the first one would find.
    found = FindStn(value);
  } else if (StationFieldDefs[field].IsFloat) {
    auto v = ParseDouble(value);
    if (!v) return false;
    ForEachInOrder([&](TRecordId id, const TStationRec& r) {
      if (found == NoRecord && FloatField(r, field) == *v) found = id;
    });
  } else {
    // Stops at the first match: the rest of the order is not walked.
    if (IndexFields_.empty()) {
      for (TRecordId id = 0; id < Records_.size() && found == NoRecord; ++id)
        if (*TextField(Records_[id], field) == value) found = id;
    } else {
      for (auto it = Order_.begin(); it != Order_.end() && found == NoRecord; ++it)
        if (*TextField(Records_[*it], field) == value) found = *it;
    }
  }
  if (found == NoRecord) return false;
  Cursor_ = found;
  Eof_ = false;
  return true;
}

TFieldRef TStationTable::FieldByName(std::string_view name) {
  auto f = FieldByNameIndex(name);
  if (!f) throw Error("Field '" + std::string(name) + "' not found");
  return TFieldRef(*this, *f);
}

const TStationRec& TStationTable::FieldSource(TStationField f) const {
  if (State_ == tsInsert || (State_ == tsEdit && (Dirty_ & (1u << f)))) return Buffer_;
  static const TStationRec empty;
  return Cursor_ == NoRecord ? empty : Records_[Cursor_];
}

void TStationTable::Set(TStationField f, std::string_view text) {
  CheckEditing();
  Store(Buffer_, f, text);
  Dirty_ |= static_cast<uint16_t>(1u << f);
}

void TStationTable::SetFloat(TStationField f, double v) {
  CheckEditing();
  if (StationFieldDefs[f].IsFloat)
    (f == sfLat ? Buffer_.LAT : Buffer_.LON) = v;
  else
    Store(Buffer_, f, FormatGeneral(v));
  Dirty_ |= static_cast<uint16_t>(1u << f);
}

void TStationTable::Store(TStationRec& r, TStationField f, std::string_view text) {
  if (std::string* s = TextField(r, f)) {
    // A fixed-width text field ends at a NUL byte, like the platform table it stands for.
    size_t end = std::min(text.find('\0'), StationFieldDefs[f].Width);
    s->assign(text.substr(0, end));
  } else {
    (f == sfLat ? r.LAT : r.LON) = ParseFloatValue(text);
  }
}

void TStationTable::Edit() {
  CheckActive();
  if (State_ == tsEdit || State_ == tsInsert) return;
  if (Cursor_ == NoRecord) throw Error("Cannot perform this operation on an empty dataset");
  // Nothing is copied: a field not set reads from the record, and Post writes back only the set ones.
  Dirty_ = 0;
  State_ = tsEdit;
}

void TStationTable::Append() {
  CheckBrowse();
  Buffer_ = TStationRec{};
  State_ = tsInsert;
}

void TStationTable::Post() {
  CheckActive();
  if (State_ == tsBrowse) return;
  if (State_ == tsInsert) {
    if (FindStn(Buffer_.STN) != NoRecord) throw Error("Key violation: " + Buffer_.STN + " is already in the table");
    TRecordId id = static_cast<TRecordId>(Records_.size());
    Records_.push_back(std::move(Buffer_));
    Buffer_ = TStationRec{};
    IndexInsert(id);
    if (!IndexFields_.empty()) Order_.insert(id);
    Cursor_ = id;
    Eof_ = false;
    State_ = tsBrowse;
    if (OnAppended) OnAppended(id);
    return;
  }
  const TRecordId id = Cursor_;
  TStationRec& rec = Records_[id];
  const bool keyChanged = (Dirty_ & (1u << sfStn)) && rec.STN != Buffer_.STN;
  if (keyChanged && FindStn(Buffer_.STN) != NoRecord)
    throw Error("Key violation: " + Buffer_.STN + " is already in the table");
  bool reorder = false;
  for (TStationField f : IndexFields_) reorder |= (Dirty_ & (1u << f)) != 0;
  if (reorder) Order_.erase(id);  // before the compared fields change
  if (keyChanged) IndexErase(id);
  // Swapped, not copied: the buffer keeps the old storage for the next edit.
  for (int f = 0; f < StationFieldCount; ++f) {
    if (!(Dirty_ & (1u << f))) continue;
    const auto field = static_cast<TStationField>(f);
    if (std::string* mine = TextField(rec, field))
      mine->swap(*TextField(Buffer_, field));
    else
      (field == sfLat ? rec.LAT : rec.LON) = (field == sfLat ? Buffer_.LAT : Buffer_.LON);
  }
  if (keyChanged) IndexInsert(id);
  if (reorder) Order_.insert(id);
  Dirty_ = 0;
  State_ = tsBrowse;
  if (OnChanged) OnChanged(id);
}

void TStationTable::Cancel() {
  if (State_ == tsEdit || State_ == tsInsert) State_ = tsBrowse;
  Dirty_ = 0;
}

void TStationTable::AppendRecord(const std::array<std::string, StationFieldCount>& values) {
  Append();
  try {
    for (int i = 0; i < StationFieldCount; ++i) Store(Buffer_, static_cast<TStationField>(i), values[i]);
    Post();
  } catch (...) {
    Cancel();
    throw;
  }
}

void TStationTable::SetIndexFieldNames(std::string_view names) {
  std::vector<TStationField> fields;
  std::string_view rest = names;
  while (!rest.empty()) {
    size_t semi = rest.find(';');
    std::string_view name = TrimView(rest.substr(0, semi));
    rest = semi == std::string_view::npos ? std::string_view() : rest.substr(semi + 1);
    if (name.empty()) continue;
    auto f = FieldByNameIndex(name);
    if (!f) throw Error("Field '" + std::string(name) + "' not found");
    fields.push_back(*f);
  }
  if (Active()) CheckBrowse();
  IndexNames_ = std::string(names);
  if (fields == IndexFields_) return;
  IndexFields_ = std::move(fields);
  RebuildOrder();
}

void TStationTable::RebuildOrder() {
  Order_.clear();
  if (IndexFields_.empty()) return;
  for (TRecordId id = 0; id < Records_.size(); ++id) Order_.insert(id);
}

}  // namespace druv
