#include "window/FloatingWindow.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

#include "app/AppContext.h"
#include "app/Twips.h"
#include "window/FrmWindow.h"
#include "window/Topmost.h"

namespace kirimo {

namespace {

void SetEnabled(QAction* action, bool enabled) {
  if (action) action->setEnabled(enabled);
}

QString Text(std::u16string_view text) { return QString::fromUtf16(text.data(), text.size()); }

}  // namespace

void OpenFloatingWindow(AppContext& ctx) {
  AppState& s = ctx.state;
  s.windowOpen = 1;
  FrmWindow* window = FindFloatingWindow(ctx);
  if (!window) {
    window = new FrmWindow(ctx);
    ctx.windows.frmWindow = window;
    window->Form_Load();
  }
  window->show();
  // Opened again over a main window that has since come to the front (a
  // recall, the clock's return, a size button), it must show what it was
  // opened for.
  ctx.services.stacking.Raise(window);
  EnableWindowOpen(ctx, false);
  EnableWindowClose(ctx, true);
  SetTextFlag(s.clockOn, true);
}

void ShowMemoInWindow(AppContext& ctx) {
  AppState& s = ctx.state;
  if (s.windowOpen == 1) {
    if (s.pendingSlot >= 1 && s.pendingSlot <= kSlotCount)
      SetFloatingWindowText(ctx, QString::fromStdU16String(s.slotContent[s.pendingSlot]));
    EnableWindowClear(ctx, !FloatingWindowText(ctx).isEmpty());
  }
  s.memoShown = true;
  s.pendingSlot = 0;
}

void ApplyTitleClickDisplay(AppContext& ctx) {
  const bool on = ctx.state.titleClickDisplay == u"t";
  if (!on) CloseFloatingWindow(ctx);
  SetEnabled(ctx.ui.window.mnuWindowHyouji, !on);
  SetEnabled(ctx.ui.window.mnuWindowHihyouji, on);
}

void CloseFloatingWindow(AppContext& ctx) {
  if (FrmWindow* window = FindFloatingWindow(ctx)) window->close();
}

void SetFloatingWindowText(AppContext& ctx, const QString& text) {
  if (FrmWindow* window = FindFloatingWindow(ctx)) window->SetText(text);
}

QString FloatingWindowText(AppContext& ctx) {
  const FrmWindow* window = FindFloatingWindow(ctx);
  return window ? window->label()->text() : QString();
}

void CentreFloatingWindow(QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  const double top = (PixelsToTwips(area.height()) - PixelsToTwips(window->height())) / 2;
  window->move(window->x(), area.y() + TwipsToPixels(top));
  const double left = (PixelsToTwips(area.width()) - PixelsToTwips(window->width())) / 2;
  window->move(area.x() + TwipsToPixels(left), window->y());
}

void PopupWindowMenu(AppContext& ctx) {
  if (ctx.state.entryDialogOpen || !ctx.ui.window.mnuWindow) return;
  ctx.ui.window.mnuWindow->exec(QCursor::pos());
}

void WindowOn(AppContext& ctx) {
  OpenFloatingWindow(ctx);
  ApplyWindowTopmost(ctx);
}

void WindowClose(AppContext& ctx) {
  AppState& s = ctx.state;
  EnableWindowOpen(ctx, true);
  EnableWindowClose(ctx, false);
  // Only a clock that is shown is switched off: run in its other direction,
  // the clock command would open it again behind a closed window and leave
  // its button saying the clock is on.
  const QPushButton* cmdTime = ctx.ui.window.cmdTime;
  if (cmdTime && cmdTime->text() == Text(kClockOnCaption)) ToggleClock(ctx);
  SetTextFlag(s.clockOn, false);
  CloseFloatingWindow(ctx);
}

void WindowClear(AppContext& ctx) {
  if (ctx.state.windowOpen == 1) SetFloatingWindowText(ctx, QString());
  EnableWindowClear(ctx, false);
  ctx.state.memoShown = false;
}

void WindowCentre(AppContext& ctx) {
  if (ctx.state.windowOpen != 1) return;
  if (FrmWindow* window = FindFloatingWindow(ctx)) CentreFloatingWindow(window);
}

void AllowTitleClickDisplay(AppContext& ctx) {
  SetTextFlag(ctx.state.titleClickDisplay, true);
  ApplyTitleClickDisplay(ctx);
}

void ForbidTitleClickDisplay(AppContext& ctx) {
  SetTextFlag(ctx.state.titleClickDisplay, false);
  ApplyTitleClickDisplay(ctx);
  CloseFloatingWindow(ctx);
  if (ctx.ui.window.cmdTime) ctx.ui.window.cmdTime->setText(Text(kClockOffCaption));
}

void EnableWindowOpen(AppContext& ctx, bool enabled) {
  SetEnabled(ctx.ui.window.mnuWindowOn, enabled);
}
void EnableWindowClose(AppContext& ctx, bool enabled) {
  SetEnabled(ctx.ui.window.mnuWClose, enabled);
}
void EnableWindowClear(AppContext& ctx, bool enabled) {
  SetEnabled(ctx.ui.window.mnuClear, enabled);
}

bool WindowClearEnabled(AppContext& ctx) {
  return ctx.ui.window.mnuClear && ctx.ui.window.mnuClear->isEnabled();
}

}  // namespace kirimo
