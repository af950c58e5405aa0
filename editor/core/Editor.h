#pragma once
// The editor's process-wide state: one instance, created by main() and handed
// to every window. Tests build a fresh one per case.

#include <QString>
#include <cstdint>

#include "editor/addins/AddInRegistry.h"
#include "editor/core/ToolTable.h"
#include "editor/files/ColourDictionary.h"
#include "editor/files/Settings.h"
#include "platform/Prompt.h"
#include "platform/raster/Region.h"
#include "platform/raster/Surface.h"

namespace tupalo {

class Prompter;

// A width/height or x/y pair.
struct Pair {
  int x = 0;
  int y = 0;
  friend bool operator==(const Pair&, const Pair&) = default;
};

// A colour as three components 0..255.
struct Rgb {
  int32_t r = 0;
  int32_t g = 0;
  int32_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
  raster::ColourRef ref() const { return raster::rgb(r, g, b); }
};

// A rectangle, right and bottom included: window pixels, or picture pixels
// relative to the view.
struct WindowRect {
  int left = 0, top = 0, right = -1, bottom = -1;
  bool empty() const { return right < left || bottom < top; }
  friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// The largest font size, in points, that the text tool writes with.
inline constexpr int kMaxWordPointSize = 300;

// The text overlay WORD: the line of text the text tool writes and where it
// stands over the canvas.
struct WordLabel {
  QString caption = QStringLiteral("  ");  // one blank at each end
  FontChoice font{QStringLiteral("Noto Sans CJK JP"), 12, false, false};
  raster::ColourRef colour = 0;
  // The caption as printed in its font: the pixels of its letters, picture
  // pixels from the label's top-left. The region's area is the label's size.
  raster::Region glyphs;
  Pair pos;                 // the label's top-left over the canvas, window pixels
  uint32_t generation = 0;  // counts new captions, for whoever keeps a picture of it
};

// The palette's undo button, offered or withdrawn (EnableUndoButton).
enum class UndoButton { Enabled, Disabled };

struct Editor {
  // ---- start-up and shutdown ----
  QString VersionText = QStringLiteral("TupaloW.2.58");
  QString TitlePrefix = QStringLiteral("Tupa ");
  QString AppPath;       // the program folder: DEFAULT.*, strips, cursors, add-ins
  QString UserPath;      // where TUPA.CNF, TUPA.CDI, TUPA.AIN and AUTOSAVE.BMP are written
  QString ExchangePath;  // where the exchange files for add-ins are written
  QString CurrentFileName;
  int16_t StartingUp = 1;
  int16_t Running = 0;
  int16_t PalettesShown = 1;
  int32_t QuitViaLauncher = 0;
  int16_t ClosingRequested = 0;

  // ---- settings of the configuration file, and the colour pages ----
  Settings settings;
  ColourDictionary colours;
  int16_t AutosaveCountdown = 0;
  // A failed autosave's message is on screen: the clock waits for it.
  bool AutosaveReporting = false;

  // ---- add-ins ----
  AddInRegistry addins;  // the tables of TUPA.AIN
  // Raised while the editor waits for an add-in program: the main window
  // refuses to close and nothing may start another picture operation.
  int16_t AddInWaiting = 0;

  // ---- view ----
  int ZoomFactor = 1;
  Pair ViewOrigin;
  Pair ViewSize;
  Pair ViewPixels;
  Pair PicSize;

  // ---- tools ----
  int ToolCode = tool::Pset;
  int PenSize = 1;
  Rgb Color1{0, 0, 0};
  Rgb Color2{255, 255, 255};
  Rgb CurColor{0, 0, 0};
  int16_t UseSecondColor = 0;
  // The colours a gesture works with, taken from Color1 and Color2 at every
  // left press on the canvas (the keypad's press included), so a colour changed
  // in the colour window takes effect at the next press, never mid-stroke.
  raster::ColourRef PenColor = raster::rgb(0, 0, 0);         // paints
  raster::ColourRef MaskColor = raster::rgb(255, 255, 255);  // the designated colour
  raster::ColourRef XorColor = raster::rgb(255, 255, 255);   // rubber bands, XOR pen
  int16_t DragActive = 0;
  int32_t GestureStage = 0;
  int16_t UndoAvailable = 0;
  // While an undo step is offered, UNDO differs from the visible picture only
  // here: the picture pixels (relative to the view) the last commit wrote.
  WindowRect UndoChanged;
  int PointCount = 0;
  // Palette groups shown in the normal and the expansion layout, and the tool
  // the one-shot magnifier returns to.
  int32_t NormalGroup = 0;
  int32_t ExpansionGroup = 0;
  int LastExpansionTool = tool::ExpPset;
  // A tool has switched the canvas's automatic redraw off for a live preview.
  bool CanvasRedrawOff = false;
  // The work surface is shown above the canvas as the floating piece.
  bool WorkShown = false;
  // The floating piece stands with its top-left at WorkPos (window pixels),
  // each pixel of WORK a PieceScale x PieceScale block of the canvas.
  // PieceOffset is that top-left less the pointer's block (in blocks), fixed
  // when the piece was lifted, so the piece never jumps. A polygon piece is
  // only the pixels of PieceMask (its area WORK's size); a mask of no area
  // means the whole rectangle.
  Pair WorkPos;
  Pair PieceOffset;
  int PieceScale = 1;
  raster::Region PieceMask;
  uint32_t PieceGeneration = 0;  // counts lifted pieces
  // The text overlay WORD is shown above the canvas (while the text tool is armed).
  bool WordShown = false;
  WordLabel WORD;
  // Counts full redraws of the canvas from PIC, so a tool can tell that an
  // XOR rubber band it drew is gone and must not be drawn again to erase it.
  uint32_t CanvasGeneration = 0;
  // Drawing width and mode of WORK (the expanded-mode line tool changes them).
  int WorkDrawWidth = 1;
  bool WorkXorMode = false;

  // ---- surfaces ----
  raster::Surface PIC;       // the picture at 1:1
  raster::Surface DRAW;      // the visible canvas, ViewPixels
  raster::Surface M_REDRAW;  // zoomed staging copy, size of DRAW
  raster::Surface UNDO;      // visible region before the last commit, size of DRAW
  raster::Surface WORK;      // work surface at picture scale
  raster::Surface WORK2, WORK3, WORK4;

  Prompter* prompter = nullptr;
};

}  // namespace tupalo
