#include "stations/ui/TaprsDBFm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QValidator>

#include "platform/qt/QtText.h"
#include "stations/StationViews.h"
#include "stations/ui/TStnDataFm.h"

namespace druv {

namespace {
// Keeps what is typed in upper case.
class TUpperCaseValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    input = input.toUpper();
    return Acceptable;
  }
};
}  // namespace

TaprsDBFm::TaprsDBFm(QWidget* parent) : QWidget(parent) {
  setObjectName("TaprsDBFm");
  setWindowTitle("aprsDBFm");
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setValidator(new TUpperCaseValidator(Edit1));
  LocateButton = new QPushButton("LOCATE>", this);
  LocateButton->setObjectName("LocateButton");
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(Edit1);
  layout->addWidget(LocateButton);
  connect(LocateButton, &QPushButton::clicked, this, [this] { StationLookup(); });
  connect(Edit1, &QLineEdit::returnPressed, this, [this] { StationLookup(); });
  // The creation hook: the table from its field definitions, open and empty.
  APRSData.CreateDataSet();
}

void TaprsDBFm::StationLookup() {
  const TStationTable::TRecordId id = APRSData.FindStn(FromQString(Edit1->text()));
  if (id == TStationTable::NoRecord || !StnData_) return;
  APRSData.Locate(sfStn, APRSData.Record(id).STN);
  TStnDataFm& w = *StnData_;
  w.show();
  w.raise();
  const TStationLookupRec v = druv::StationLookup(APRSData.Record(id));
  w.Label3->clear();
  w.Label4->clear();
  w.ClearMemo();
  w.AddToMemo(v.Memo);
  w.Label1->setText(ToQString(v.Station));
  w.Label2->setText(ToQString(v.Grid));
  w.Label5->setText(ToQString(v.Comment));
  w.Label7->setText(ToQString(v.Packet));
  w.Label6->setText(ToQString(v.SymbolName));
  if (v.IsWeatherStation) {
    try {
      w.Button1Click();
    } catch (const std::exception&) {
      // A breakdown that cannot read its text stops the lookup there, silently.
    }
  } else {
    w.ListBox1->clear();
  }
}

}  // namespace druv
