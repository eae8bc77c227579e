#pragma once
// The station dataset window: owns the station table and the station lookup ("LOCATE>") that
// fills the station information window from a station's record. Created hidden at start-up;
// nothing shows it.
#include <QWidget>

#include "stations/TStationTable.h"

class QLineEdit;
class QPushButton;

namespace druv {

class TStnDataFm;

class TaprsDBFm : public QWidget {
  Q_OBJECT
 public:
  explicit TaprsDBFm(QWidget* parent = nullptr);

  TStationTable APRSData;
  QLineEdit* Edit1;        // the call to look up, upper case only
  QPushButton* LocateButton;  // "LOCATE>"

  void SetStationInfoWindow(TStnDataFm* window) { StnData_ = window; }
  // Shows the station information window filled from the record whose STN is Edit1's text;
  // nothing happens for a call the table does not hold.
  void StationLookup();

 private:
  TStnDataFm* StnData_ = nullptr;
};

}  // namespace druv
