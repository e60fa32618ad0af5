#include "window/FrmWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "app/AppContext.h"
#include "app/Command.h"
#include "app/Twips.h"
#include "settings/Numbers.h"
#include "settings/Settings.h"
#include "window/FloatingWindow.h"
#include "window/Placement.h"
#include "window/Topmost.h"

namespace kirimo {

namespace {

using settings::kFrmWindow;

// The first start's size, in twips.
constexpr double kDefaultWidth = 3000;
constexpr double kDefaultHeight = 500;
// Beyond any desktop: positions further out are taken as this far, which
// the screen check then brings back; sizes beyond what a window system can
// map are not usable.
constexpr double kFarthestPosition = 1e8;
constexpr int kLargestLength = 32767;  // pixels

// The picture's ground, for any part of a window larger than the picture.
constexpr QColor kGround(253, 245, 226);

const QString kLoadFailure =
    QStringLiteral("ウインドウ起動時ＩＮＩファイルを読み込みできませんでした");
const QString kUnloadFailure =
    QStringLiteral("ウインドウアンロード時ＩＮＩファイルを書き込みできませんでした");

QFont LabelFont() {
  // The Windows face where it is installed, else its metric-compatible
  // stand-in; without either, fontconfig's Japanese sans.
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                    QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  font.setStyleHint(QFont::SansSerif);
  font.setBold(true);
  font.setPointSize(12);
  return font;
}

// A stored length in pixels, or nothing when it cannot give a window that
// can be seen (missing, zero, negative, under a pixel, or too large).
std::optional<int> UsableLength(double twips) {
  if (!std::isfinite(twips) || twips <= 0) return std::nullopt;
  const double pixels = twips / TwipsPerPixel();
  if (pixels < 0.5 || pixels > kLargestLength) return std::nullopt;
  return TwipsToPixels(twips);
}

int PositionPixels(double twips) {
  if (!std::isfinite(twips)) twips = 0;
  return TwipsToPixels(std::clamp(twips, -kFarthestPosition, kFarthestPosition));
}

std::u16string TwipsText(int pixels) {
  return settings::FormatSingle(static_cast<float>(PixelsToTwips(pixels)));
}

}  // namespace

FrmWindow::FrmWindow(AppContext& ctx)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), ctx_(ctx) {
  setObjectName(QStringLiteral("frmWindow"));
  setWindowTitle(QStringLiteral("Kirimo"));
  setAttribute(Qt::WA_DeleteOnClose);
  // The picture covers the window; nothing needs clearing first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(1, 1);
  background_ = QPixmap(QStringLiteral(":/kirimo/gingham.png"));
  // Unscaled: the picture keeps its size in logical pixels on any screen.
  background_.setDevicePixelRatio(1.0);

  lblText = new QLabel(this);
  lblText->setObjectName(QStringLiteral("lblText"));
  lblText->setTextFormat(Qt::PlainText);
  lblText->setWordWrap(false);
  lblText->setFont(LabelFont());
  lblText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Presses on the text move the window as presses on the picture do.
  lblText->setAttribute(Qt::WA_TransparentForMouseEvents);
  FitLabel();
}

FrmWindow::~FrmWindow() = default;

void FrmWindow::SetText(const QString& text) {
  if (lblText->text() == text) return;
  lblText->setText(text);
}

void FrmWindow::FitLabel() {
  // One line from the top-left corner, cut at the window's edges: the label
  // spans the window and is one line high, which looks the same as a label
  // sized to its text (it has no background of its own) but needs no new
  // layout of the text each second.
  lblText->setGeometry(0, 0, width(), lblText->fontMetrics().height());
}

void FrmWindow::resizeEvent(QResizeEvent*) { FitLabel(); }

void FrmWindow::Form_Load() {
  loaded_ = true;
  AppState& s = ctx_.state;
  RunCommand(ctx_, kLoadFailure, [&](SettingsAccess& settings) {
    if (s.firstStartDone != 1) {
      resize(TwipsToPixels(kDefaultWidth), TwipsToPixels(kDefaultHeight));
      CentreFloatingWindow(this);
      s.firstStartDone = 1;
    } else {
      auto read = [&](std::u16string_view key) {
        return settings::LeadingNumber(settings.Read(key, kFrmWindow));
      };
      // Each value takes effect as it is read. A size that would leave the
      // window invisible (and so out of reach of the mouse) takes the first
      // start's instead.
      move(PositionPixels(read(u"LEFT")), y());
      move(x(), PositionPixels(read(u"TOP")));
      resize(UsableLength(read(u"WIDTH")).value_or(TwipsToPixels(kDefaultWidth)), height());
      resize(width(), UsableLength(read(u"HEIGHT")).value_or(TwipsToPixels(kDefaultHeight)));
    }
    // A place stored on a larger or a since unplugged screen is brought
    // back within reach.
    KeepOnScreen(this, geometry());
    ApplyWindowTopmost(ctx_);
    s.windowOpen = 1;
    ApplyFontSize(ctx_);
  });
}

void FrmWindow::closeEvent(QCloseEvent* event) {
  // However it closes (a command, the program's end, the desktop), the
  // window stores where it is; the close is never refused.
  if (loaded_) Form_Unload();
  event->accept();
}

void FrmWindow::Form_Unload() {
  loaded_ = false;
  AppState& s = ctx_.state;
  EnableWindowClear(ctx_, false);
  EnableWindowOpen(ctx_, true);
  EnableWindowClose(ctx_, false);
  s.memoShown = false;
  s.windowOpen = 0;
  // A place that cannot be stored is said so: the next start would put the
  // window somewhere else.
  const QRect g = geometry();
  RunCommand(ctx_, kUnloadFailure, [&](SettingsAccess& settings) {
    settings.Write(TwipsText(g.x()), u"LEFT", kFrmWindow);
    settings.Write(TwipsText(g.y()), u"TOP", kFrmWindow);
    settings.Write(TwipsText(g.width()), u"WIDTH", kFrmWindow);
    settings.Write(TwipsText(g.height()), u"HEIGHT", kFrmWindow);
  });
}

void FrmWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_.width() < width() || background_.height() < height())
    painter.fillRect(rect(), kGround);
  painter.drawPixmap(0, 0, background_);
}

void FrmWindow::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button();
  pressGlobal_ = event->globalPosition().toPoint();
  pressWindowPos_ = pos();
  moving_ = false;
  movingByHand_ = false;
  // The left button moves the window at once, as a title bar would. The
  // others wait until the mouse really moves, so that a right click still
  // pops up the menu when it is released.
  if (pressed_ == Qt::LeftButton) StartMove();
}

void FrmWindow::mouseMoveEvent(QMouseEvent* event) {
  if (pressed_ == Qt::NoButton) return;
  const QPoint global = event->globalPosition().toPoint();
  if (!moving_ && (global - pressGlobal_).manhattanLength() >= QApplication::startDragDistance())
    StartMove();
  if (movingByHand_) move(pressWindowPos_ + (global - pressGlobal_));
}

void FrmWindow::mouseReleaseEvent(QMouseEvent* event) {
  const bool moved = moving_;
  pressed_ = Qt::NoButton;
  moving_ = false;
  movingByHand_ = false;
  if (event->button() == Qt::RightButton && !moved) PopupWindowMenu(ctx_);
}

void FrmWindow::StartMove() {
  moving_ = true;
  // Where the desktop cannot move the window itself, it follows the mouse.
  movingByHand_ = !ctx_.services.stacking.StartSystemMove(this);
}

FrmWindow* FindFloatingWindow(AppContext& ctx) {
  auto* window = qobject_cast<FrmWindow*>(ctx.windows.frmWindow.data());
  return window && window->IsLoaded() ? window : nullptr;
}

}  // namespace kirimo
