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
  auto v = ParseDouble(text);
  if (!v) throw Error("'" + std::string(text) + "' is not a valid floating point value");
  return *v;
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

std::string TFieldRef::AsString() const { return FieldText(Table_->FieldRecordConst(), Field_); }

double TFieldRef::AsFloat() const {
  const TStationRec& r = Table_->FieldRecordConst();
  if (const std::string* s = TextField(r, Field_)) return ParseFloatValue(*s);
  return FloatField(r, Field_);
}

void TFieldRef::SetAsString(std::string_view text) {
  Table_->CheckEditing();
  TStationTable::Store(Table_->Buffer_, Field_, text);
}

void TFieldRef::SetAsFloat(double v) {
  Table_->CheckEditing();
  if (StationFieldDefs[Field_].IsFloat)
    (Field_ == sfLat ? Table_->Buffer_.LAT : Table_->Buffer_.LON) = v;
  else
    TStationTable::Store(Table_->Buffer_, Field_, FormatGeneral(v));
}

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
  ByStn_.clear();
  Order_.clear();
  Cursor_ = NoRecord;
  Eof_ = true;
  State_ = tsBrowse;
  if (OnEmptied) OnEmptied();
}

TStationTable::TRecordId TStationTable::FindStn(std::string_view stn) const {
  auto it = ByStn_.find(stn);
  return it == ByStn_.end() ? NoRecord : it->second;
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

const TStationRec& TStationTable::FieldRecordConst() const {
  if (State_ == tsEdit || State_ == tsInsert) return Buffer_;
  static const TStationRec empty;
  return Cursor_ == NoRecord ? empty : Records_[Cursor_];
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
  Buffer_ = Records_[Cursor_];
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
  TRecordId owner = FindStn(Buffer_.STN);
  if (State_ == tsInsert) {
    if (owner != NoRecord) throw Error("Key violation: " + Buffer_.STN + " is already in the table");
    TRecordId id = static_cast<TRecordId>(Records_.size());
    Records_.push_back(std::move(Buffer_));
    Buffer_ = TStationRec{};
    ByStn_.emplace(Records_[id].STN, id);
    if (!IndexFields_.empty()) Order_.insert(id);
    Cursor_ = id;
    Eof_ = false;
    State_ = tsBrowse;
    if (OnAppended) OnAppended(id);
    return;
  }
  TRecordId id = Cursor_;
  if (owner != NoRecord && owner != id)
    throw Error("Key violation: " + Buffer_.STN + " is already in the table");
  TStationRec& rec = Records_[id];
  bool keyChanged = rec.STN != Buffer_.STN;
  if (!IndexFields_.empty()) Order_.erase(id);  // before the compared fields change
  if (keyChanged) ByStn_.erase(rec.STN);
  // Swapped, not copied: the buffer keeps its storage for the next edit.
  std::swap(rec, Buffer_);
  if (keyChanged) ByStn_.emplace(rec.STN, id);
  if (!IndexFields_.empty()) Order_.insert(id);
  State_ = tsBrowse;
  if (OnChanged) OnChanged(id);
}

void TStationTable::Cancel() {
  if (State_ == tsEdit || State_ == tsInsert) State_ = tsBrowse;
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
