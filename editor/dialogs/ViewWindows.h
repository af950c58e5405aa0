#pragma once
// The two optional windows that help find the way in a large or magnified
// picture: the overview BIRD_WIN (the whole picture shrunk to fit; a click
// scrolls the main view there) and the mini magnifier LUPE_WIN (the canvas
// around the pointer, five times, with a pixel grid). The palette's window
// buttons open and close them; whether each is up, and where, is kept in the
// settings (BEWD, BEWT/BEWL/BEWW/BEWH; MLDS, MLTP/MLLF) so that they come
// back at the next start.

#include <QWidget>
#include <cstdint>

#include "editor/core/Editor.h"
#include "editor/dialogs/SurfaceBox.h"
#include "editor/dialogs/ViewWindowsMath.h"

namespace tupalo {

class P_WIN;

// Why a window that is up is out of sight for a while; it shows again when
// no reason is left.
enum class Aside : unsigned {
  Palettes = 1,   // the palettes are hidden (right click, a file dialog)
  Minimised = 2,  // the main window is minimised
  Dialog = 4,     // a file dialog is up
  Quit = 8,       // the quit question is up
  Settings = 16,  // the settings window is up
};

// What the two windows share: a shown flag in the settings, a load on first
// showing, the reasons to stay out of sight, and the difference between the
// user closing the window (the flag goes to 0) and the editor shutting down
// (the flag stays for the next start).
class SideWindow : public QWidget {
  Q_OBJECT
 public:
  // Loads the window when needed and shows it (unless it is set aside).
  void Open();
  // Closed from the palette: the place is stored and the window goes.
  void CloseFromPalette();
  // The editor shuts down: the place is stored, the flag stays.
  void Unload();
  void SetAside(Aside why, bool aside);
  bool isAside() const { return aside_ != 0; }
  bool loaded() const { return loaded_; }
  // Takes the window's place into the settings.
  virtual void StorePosition() = 0;

 signals:
  // The user closed the window from its title bar: the palette's button
  // goes back to its normal face.
  void closedByUser();

 protected:
  SideWindow(Editor& e, P_WIN& owner, int16_t Settings::*shownFlag);
  virtual void Load() = 0;
  void closeEvent(QCloseEvent* ev) override;
  int toPixels(int32_t twips) const;
  int32_t toTwips(int pixels) const;
  int32_t screenTwips(bool width) const;
  // A stored place of 0 puts the inside at the screen's edge: the title bar
  // would lie beyond it, out of reach.
  void KeepTitleBarOnScreen();

  Editor& e_;
  P_WIN& owner_;

 private:
  void Follow();  // shown exactly when up and not set aside
  int16_t Settings::*shownFlag_;
  bool loaded_ = false;
  unsigned aside_ = 0;
  bool closingFromCode_ = false;
};

class BIRD_WIN : public SideWindow {
  Q_OBJECT
 public:
  BIRD_WIN(Editor& e, P_WIN& owner);

  // After a commit: the picture pixels left..right, top..bottom changed.
  // Nothing happens unless BEAU and BEWD are 1.
  void UpdateOverview(int left, int top, int right, int bottom);
  // The picture was replaced or changed as a whole: fit and draw it again.
  void Rebuild();
  void StorePosition() override;
  // A click at (x, y) in VIEW: the main view moves there.
  void VIEW_MouseDown(int x, int y);

  SurfaceBox* VIEW;            // the picture, shrunk to fit the window
  double OverviewScale = 1.0;  // picture pixels per overview pixel

 protected:
  void Load() override;
  void resizeEvent(QResizeEvent* ev) override;

 private:
  // Fits the picture to the inside and draws it all; nothing for an empty inside.
  void Resize();
  OverviewScaler scaler_;
};

class LUPE_WIN : public SideWindow {
  Q_OBJECT
 public:
  LUPE_WIN(Editor& e, P_WIN& owner);

  // The pointer is at canvas point (x, y); nothing happens unless MLDS is 1.
  void UpdateMagnifier(int x, int y);
  void StorePosition() override;

  raster::Surface LUPE_TMP;   // the canvas pixels around the pointer
  raster::Surface LUPE_MASK;  // the grid: white cells between black lines
  SurfaceBox* LUPE_DSP;       // what the user sees
  int LastX = 0, LastY = 0;   // the last magnified pointer position

 protected:
  void Load() override;
  void showEvent(QShowEvent* ev) override;
};

}  // namespace tupalo
