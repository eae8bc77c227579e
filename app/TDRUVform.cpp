#include "app/TDRUVform.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <clocale>

#include "platform/IDialogs.h"

namespace druv {

namespace {

const char* const TermsOfUse =
    "TERMS OF USE\n"
    "\n"
    "DRUVaprs is experimental amateur-radio software. It is free software: you can redistribute it "
    "and/or modify it under the terms of the GNU General Public License as published by the Free "
    "Software Foundation, either version 3 of the License, or (at your option) any later version "
    "(GPL-3.0-or-later).\n"
    "\n"
    "This program is distributed in the hope that it will be useful, but WITHOUT ANY WARRANTY; "
    "without even the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. "
    "See the GNU General Public License for more details. You should have received a copy of the "
    "license with this program; if not, see https://www.gnu.org/licenses/.\n"
    "\n"
    "This program can make your radio transmit. You need a valid amateur-radio licence to use it "
    "on the air. You, the licensed operator, are solely responsible for every transmission made "
    "with it: that it is lawful in your country, that it stays within your licence's frequencies "
    "and power, and that it carries your own correct call sign. Check the call sign, the path and "
    "the position the program will send before you switch on the TNC.\n"
    "\n"
    "Positions, maps, weather reports and other data shown by this program come from other "
    "stations and from map services; they may be wrong, late or missing. Do not rely on them for "
    "the safety of life or property.\n"
    "\n"
    "Map tiles downloaded from OpenStreetMap are (c) OpenStreetMap contributors and subject to "
    "the tile server's usage policy.\n"
    "\n"
    "By pressing \"START APRS\" you accept these terms. If you do not agree, close this window "
    "to exit.\n";

}  // namespace

const char* const TDRUVform::TermsNotice =
    "DRUVaprs is an experimental program. Please read the terms on the following screen before "
    "using. If you do not agree, press the X on the top right of the following screen and exit. ";

void TDRUVform::SetPointDecimalSeparator() {
  QLocale::setDefault(QLocale::c());
  // QApplication adopts the user's C locale; numbers formatted by C routines must not follow it.
  std::setlocale(LC_NUMERIC, "C");
}

TDRUVform::TDRUVform(IDialogs& dialogs, QWidget* parent)
    // A small window with only a close button, yet on the task bar (it is the main window).
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName("TDRUVform");
  setWindowTitle("DRUVaprs Standalone");

  Button1 = new QPushButton("START APRS", this);
  Button1->setObjectName("Button1");
  Button1->setToolTip("Open the DRUVaprs main window");
  connect(Button1, &QPushButton::clicked, this, &TDRUVform::Button1Click);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setReadOnly(true);
  Memo1->setPlainText(TermsOfUse);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setAccessibleName("Terms of use");
  Memo1->setToolTip("Terms of use");

  Label1 = new QLabel("This is a stand-alone version of DRUVaprs", this);
  Label1->setObjectName("Label1");
  Label2 = new QLabel("This software may not work properly in the Southern Hemisphere.", this);
  Label2->setObjectName("Label2");

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Button1);
  layout->addWidget(Memo1, 1);
  layout->addWidget(Label1);
  layout->addWidget(Label2);
  resize(460, 380);

  SetPointDecimalSeparator();
  dialogs.Information(TermsNotice);
}

void TDRUVform::Button1Click() { emit StartAprs(); }

void TDRUVform::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted()) emit Closed();
}

}  // namespace druv
