#include "about/FrmAbout.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "app/AppContext.h"
#include "app/Tray.h"
#include "app/Twips.h"
#include "app/Version.h"

namespace kirimo {

namespace {

constexpr int kClientWidth = 5730;
constexpr int kClientHeight = 3165;
const QString kProductName = QStringLiteral("Kirimo");

}  // namespace

QString VersionCaption() {
  return QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3")
      .arg(version::kMajor)
      .arg(version::kMinor)
      .arg(version::kRevision);
}

FrmAbout::FrmAbout(AppContext& ctx) : QDialog(nullptr), ctx_(ctx) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
  setWindowIcon(QIcon(QStringLiteral(":/kirimo/app.xpm")));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  BuildControls();
}

FrmAbout::~FrmAbout() = default;

void FrmAbout::BuildControls() {
  setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
  auto label = [this](const char* name, QRect twips) {
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(TwipsRect(twips));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
  };
  picIcon = label("picIcon", QRect(240, 240, 540, 540));
  picIcon->setPixmap(QIcon(QStringLiteral(":/kirimo/app.xpm")).pixmap(32, 32));
  picIcon->setAccessibleName(kProductName);
  lblTitle = label("lblTitle", QRect(1050, 240, 3885, 480));
  lblVersion = label("lblVersion", QRect(1050, 780, 3885, 225));
  lblVersion->setText(QStringLiteral("ﾊﾞｰｼﾞｮﾝ"));
  lblDescription = label("lblDescription", QRect(1050, 1125, 3885, 1170));
  lblDescription->setWordWrap(true);

  // The etched separator: a grey line with a white one just below it.
  auto line = [this](QRect twips, const QColor& colour) {
    auto* l = new QWidget(this);
    l->setObjectName(QStringLiteral("Line1"));
    const QRect px = TwipsRect(twips);
    l->setGeometry(px.x(), px.y(), px.width(), 1);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, colour);
    l->setPalette(p);
    return l;
  };
  line(QRect(90, 2445, 5654 - 90, 15), QColor(128, 128, 128));
  line(QRect(105, 2460, 5654 - 105, 15), QColor(255, 255, 255));

  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setGeometry(TwipsRect(QRect(4245, 2625, 1380, 345)));
  // The default button for Enter; Escape ends the dialog through done().
  cmdOK->setDefault(true);
  cmdOK->setFocus();
  connect(cmdOK, &QPushButton::clicked, this, &FrmAbout::cmdOK_Click);
}

void FrmAbout::Form_Load() {
  setWindowTitle(kProductName + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
  lblVersion->setText(VersionCaption());
  lblTitle->setText(kProductName);
  lblDescription->setText(QStringLiteral(
      "これはちょっとメモしたいという時にメモしておいて読みこむ時にクリップボードに"
      "コピーするアプリです。データは独自の暗号化ルーチンにより容易に解読できないよう"
      "になっていますので安心です。"));
  // Labels are read out by their text; the picture by its name.
  for (QLabel* l : {lblTitle, lblVersion, lblDescription}) l->setAccessibleName(l->text());
}

void FrmAbout::cmdOK_Click() { close(); }

void FrmAbout::done(int) { close(); }

void FrmAbout::closeEvent(QCloseEvent* event) {
  if (!unloaded_) {
    unloaded_ = true;
    Form_QueryUnload();
    // Deleting right away could pull the box from under the click that
    // closed it.
    deleteLater();
  }
  event->accept();
}

void FrmAbout::Form_QueryUnload() {
  // At the program's end, bringing the main window back for a moment would
  // only make it flash.
  if (!ctx_.windows.ending) RestoreMainWindow(ctx_);
}

void ShowAboutBox(AppContext& ctx) {
  HideMainWindow(ctx);
  auto* box = qobject_cast<FrmAbout*>(ctx.windows.frmAbout.data());
  if (!box || !box->IsLoaded()) {
    box = new FrmAbout(ctx);
    ctx.windows.frmAbout = box;
    box->Form_Load();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->geometry();
      box->move(area.x() + (area.width() - box->frameGeometry().width()) / 2,
                area.y() + (area.height() - box->frameGeometry().height()) / 2);
    }
  }
  box->show();
  box->raise();
  box->activateWindow();
}

}  // namespace kirimo
