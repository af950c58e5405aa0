#pragma once
// The lasting settings of the editor, one member per key of TUPA.CNF, named as
// the key. Window positions and sizes are in twips. The initial values are the
// factory defaults LoadConfiguration starts from; keys without a factory
// default start at 0 or empty.

#include <QString>
#include <cstdint>

namespace tupalo {

struct Settings {
  int16_t FEMD =
      0;  // 1: reproduce window positions at the next start; gates the window keys after it

  // Main window. LoadConfiguration mirrors here what the window has after each
  // key; SaveConfiguration takes them from the window itself.
  int32_t PIWT = 0;
  int16_t PIWS = 0;  // 0 normal, 1 minimised, 2 maximised
  int32_t PIWL = 0;
  int32_t PIWW = 0;
  int32_t PIWH = 0;

  int32_t COWL = 7920;  // colour window
  int32_t COWT = 0;
  int32_t CMWL = 7920;  // command palette
  int32_t CMWT = 3091;

  int32_t BEWT = 0;  // overview window
  int32_t BEWL = 0;
  int32_t BEWW = 0;
  int32_t BEWH = 0;
  int16_t BEWD = 0;  // overview shown

  int16_t IDSP = 0;  // information line shown
  int16_t BEAU = 1;  // overview follows edits
  int16_t BERM = 0;  // overview redraw: 2 whole view, 1 edit area only
  int16_t VDMD = 0;  // right click keeps the overview shown
  int16_t SZWM = 1;  // 1 normal drawing, 0 for faulty stretch/image drivers
  int16_t RPNX = 0;  // reopen the last picture: 0 no, 1 automatically, 2 ask
  // The picture being edited when the settings were last saved. The editor
  // sets it to CurrentFileName before calling SaveConfiguration.
  QString RPNM;
  int16_t CSEL = 0;  // colour window panel
  int16_t DROP = 0;  // carried, not consulted
  QString LAN1;      // launcher slot programs
  QString LAN2;
  int16_t LAM1 = 0;  // restart the editor when the slot's program ends
  int16_t LAM2 = 0;
  int16_t ASAM = 0;   // autosave target: 0 AUTOSAVE.BMP, 1 the file being edited
  int16_t ASAT = 0;   // autosave interval in minutes, 0 = off
  int16_t MERM = 0;   // merge window refreshes its preview automatically
  int16_t FUZH = 10;  // fuzzy tolerances
  int16_t FUZS = 10;
  int16_t FUZV = 10;
  int16_t SPRI = 3;  // spray timer interval
  int16_t CDSP = 0;  // right click picks a colour
  int16_t LMOD = 0;  // line tool: 0 single, 1 continuous
  int16_t ACHK = 0;  // carried, not consulted
  int16_t HSET = 0;  // brightness factor of V Box / V Pen, percent
  int32_t MLLF = 0;  // magnifier window
  int32_t MLTP = 0;
  int16_t MLDS = 0;   // magnifier shown
  int16_t THPD = 50;  // thru pen depth, percent
  int16_t PRAD = 1;   // print preview draws the picture itself

  void setDefaults() { *this = Settings{}; }

  bool operator==(const Settings&) const = default;
};

}  // namespace tupalo
