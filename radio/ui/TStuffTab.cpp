#include "radio/ui/TStuffTab.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace druv {

namespace {
QWidget* Reference(const char* title, const char* text, QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* layout = new QVBoxLayout(box);
  auto* label = new QLabel(title, box);
  auto* memo = new QPlainTextEdit(text, box);
  memo->setReadOnly(true);
  memo->setAccessibleName(title);
  label->setBuddy(memo);
  layout->addWidget(label);
  layout->addWidget(memo, 1);
  return box;
}
}  // namespace

TStuffTab::TStuffTab(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(Reference("What SSID tags might mean:",
                              "-0  Home station, or a station with no SSID\n"
                              "-1  Digipeater, home station or weather station\n"
                              "-2  Digipeater or second home station\n"
                              "-3  Digipeater\n"
                              "-4  HF to VHF gateway\n"
                              "-5  Internet gateway (IGate), smartphone\n"
                              "-6  Satellite or special operation\n"
                              "-7  Handheld radio\n"
                              "-8  Boat, ship, maritime mobile\n"
                              "-9  Mobile station (car)\n"
                              "-10 Internet only (APRS-IS), Echolink, Winlink\n"
                              "-11 Balloon, aircraft, spacecraft\n"
                              "-12 Portable (camping, field day), one-way tracker\n"
                              "-13 Weather station\n"
                              "-14 Truckers and full-time drivers\n",
                              this));
  layout->addWidget(Reference("Help deciding UNPRONTO message:",
                              "WIDEn-N  The standard path. WIDE1-1,WIDE2-1 for mobiles, WIDE2-1 for fixed\n"
                              "         stations; each digipeater uses up one hop (N counts down).\n"
                              "WIDE     Old one-hop alias; prefer WIDE1-1.\n"
                              "RELAY    Obsolete one-hop alias for home fill-in digipeaters; use WIDE1-1.\n"
                              "TRACEn-N Obsolete; modern WIDEn-N digipeaters trace anyway.\n"
                              "GATE     Asks HF/VHF gateways to pass the packet on.\n"
                              "NOGATE   Asks IGates not to send the packet to the Internet.\n"
                              "RFONLY   Same as NOGATE: keep the packet on the air.\n"
                              "TCPIP    Marks a packet that came from the Internet; never put it in an RF path.\n"
                              "TCPXX    Internet packet from an unverified station.\n"
                              "Keep paths short: more hops crowd the channel for everyone.\n",
                              this));
  StationDataBox = new QGroupBox("Station Data", this);
  StationDataBox->setObjectName("StationData");
  new QVBoxLayout(StationDataBox);
  layout->addWidget(StationDataBox);
}

}  // namespace druv
