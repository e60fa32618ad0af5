#include "window/Topmost.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <cmath>

#include "app/AppContext.h"
#include "app/Twips.h"
#include "window/FloatingWindow.h"
#include "window/FrmWindow.h"
#include "window/WindowTables.h"

namespace kirimo {

namespace {

constexpr double kSizeStep = 50;  // twips
// The limits the size buttons keep to, in twips.
constexpr double kLowestHeight = 200;
constexpr double kTallestHeight = 5750;
constexpr double kNarrowestWidth = 800;
constexpr double kWidestWidth = 7650;

QString Text(std::u16string_view text) { return QString::fromUtf16(text.data(), text.size()); }

// Pixels from twips, halves to the even number.
int EvenPixels(double twips) { return static_cast<int>(std::nearbyint(twips / TwipsPerPixel())); }

// The window's rectangle as the design computes it from its twips; Qt
// keeps whole pixels, so it is the window's own. Switching the flag must
// leave the window exactly there, shown, and unflickering.
void SetTopmostKeepingPlace(AppContext& ctx, QWidget* window, bool on) {
  const QRect g = window->geometry();
  const QRect rect(EvenPixels(PixelsToTwips(g.x())), EvenPixels(PixelsToTwips(g.y())),
                   EvenPixels(PixelsToTwips(g.width())), EvenPixels(PixelsToTwips(g.height())));
  ctx.services.stacking.SetTopmost(window, on);
  if (window->geometry() != rect) window->setGeometry(rect);
}

const FontSizeItem* FontSizeOf(std::u16string_view code) {
  for (const FontSizeItem& size : kFontSizes)
    if (size.code == code) return &size;
  return nullptr;
}

void SetLabelPoints(AppContext& ctx, int points) {
  FrmWindow* window = FindFloatingWindow(ctx);
  if (!window) return;
  QLabel* label = window->label();
  QFont font = label->font();
  font.setPointSize(points);
  label->setFont(font);
  window->FitLabel();
}

}  // namespace

void ApplyWindowTopmost(AppContext& ctx) {
  const AppState& s = ctx.state;
  const WindowControls& ui = ctx.ui.window;
  if (s.windowOpen == 1) {
    const bool on = s.windowTopmost == u"t";
    if (ui.mnuTemae) ui.mnuTemae->setEnabled(!on);
    if (ui.mnuTemaeKaijo) ui.mnuTemaeKaijo->setEnabled(on);
    if (FrmWindow* window = FindFloatingWindow(ctx)) SetTopmostKeepingPlace(ctx, window, on);
  }
  if (s.clockOn == u"t") EnableWindowClear(ctx, false);
}

void ApplyMainTopmost(AppContext& ctx) {
  const bool on = ctx.state.mainTopmost == u"t";
  if (QPushButton* cmdTemae = ctx.ui.window.cmdTemae)
    cmdTemae->setText(on ? QStringLiteral("手前に表示解除") : QStringLiteral("常に手前に表示"));
  if (QWidget* main = ctx.windows.frmMain) SetTopmostKeepingPlace(ctx, main, on);
}

void SuspendTopmost(AppContext& ctx) {
  AppState& s = ctx.state;
  if (s.windowTopmost == u"t") {
    SetTextFlag(s.windowTopmost, false);
    s.savedWindowTopmost = true;
  }
  if (s.mainTopmost == u"t") {
    SetTextFlag(s.mainTopmost, false);
    s.savedMainTopmost = true;
  }
  ApplyWindowTopmost(ctx);
  ApplyMainTopmost(ctx);
}

void RestoreTopmost(AppContext& ctx) {
  AppState& s = ctx.state;
  if (s.savedWindowTopmost) {
    SetTextFlag(s.windowTopmost, true);
    s.savedWindowTopmost = false;
  }
  if (s.savedMainTopmost) {
    SetTextFlag(s.mainTopmost, true);
    s.savedMainTopmost = false;
  }
  // The window whose flag is on comes last and so ends above the other;
  // with both on, the main window ends on top.
  if (s.mainTopmost.empty() && s.windowTopmost == u"t") {
    ApplyMainTopmost(ctx);
    ApplyWindowTopmost(ctx);
  } else {
    ApplyWindowTopmost(ctx);
    ApplyMainTopmost(ctx);
  }
}

void ApplyFontSize(AppContext& ctx) {
  const FontSizeItem* size = FontSizeOf(ctx.state.fontSizeCode);
  if (!size) return;
  SetLabelPoints(ctx, size->points);
  ApplyFontSizeCaption(ctx);
}

void WindowTopmostOn(AppContext& ctx) {
  SetTextFlag(ctx.state.windowTopmost, true);
  OpenFloatingWindow(ctx);
  ApplyMainTopmost(ctx);
  ApplyWindowTopmost(ctx);
}

void WindowTopmostOff(AppContext& ctx) {
  SetTextFlag(ctx.state.windowTopmost, false);
  ApplyWindowTopmost(ctx);
  ApplyMainTopmost(ctx);
  OpenFloatingWindow(ctx);
}

void ToggleMainTopmost(AppContext& ctx) {
  AppState& s = ctx.state;
  if (s.mainTopmost != u"t") {
    SetTextFlag(s.mainTopmost, true);
    ApplyMainTopmost(ctx);
  } else {
    SetTextFlag(s.mainTopmost, false);
    ApplyMainTopmost(ctx);
    ApplyWindowTopmost(ctx);
  }
}

void StepFontSize(AppContext& ctx) {
  OpenFloatingWindow(ctx);
  QPushButton* cmdFont = ctx.ui.window.cmdFont;
  if (!cmdFont) return;
  // The caption names the size in use; the next one follows it, and the
  // largest goes round to the smallest.
  for (size_t i = 0; i < kFontSizes.size(); ++i) {
    if (cmdFont->text() != Text(kFontSizes[i].caption)) continue;
    const FontSizeItem& next = kFontSizes[(i + 1) % kFontSizes.size()];
    ctx.state.fontSizeCode = std::u16string(next.code);
    cmdFont->setText(Text(next.caption));
    SetLabelPoints(ctx, next.points);
    return;
  }
}

void ResizeFloatingWindow(AppContext& ctx, SizeStep step) {
  OpenFloatingWindow(ctx);
  FrmWindow* window = FindFloatingWindow(ctx);
  if (!window) return;
  // The limits are tested on what the window holds, in whole pixels.
  const double width = PixelsToTwips(window->width());
  const double height = PixelsToTwips(window->height());
  switch (step) {
    case SizeStep::kTaller:
      if (height < kTallestHeight)
        window->resize(window->width(), TwipsToPixels(height + kSizeStep));
      break;
    case SizeStep::kLower:
      if (height > kLowestHeight)
        window->resize(window->width(), TwipsToPixels(height - kSizeStep));
      break;
    case SizeStep::kWider:
      if (width < kWidestWidth) window->resize(TwipsToPixels(width + kSizeStep), window->height());
      break;
    case SizeStep::kNarrower:
      if (width > kNarrowestWidth)
        window->resize(TwipsToPixels(width - kSizeStep), window->height());
      break;
  }
}

void InitTopmostItems(AppContext& ctx) {
  const WindowControls& ui = ctx.ui.window;
  if (!ui.mnuTemae) return;
  // Before the floating window first opens, the items follow its own
  // always-on-top flag, as they do whenever it is open.
  const bool windowOnTop = ctx.state.windowTopmost == u"t";
  ui.mnuTemae->setEnabled(!windowOnTop);
  ui.mnuTemaeKaijo->setEnabled(windowOnTop);
}

void ApplyFontSizeCaption(AppContext& ctx) {
  const FontSizeItem* size = FontSizeOf(ctx.state.fontSizeCode);
  if (size && ctx.ui.window.cmdFont) ctx.ui.window.cmdFont->setText(Text(size->caption));
}

}  // namespace kirimo
