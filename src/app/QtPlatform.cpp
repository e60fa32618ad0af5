#include "app/QtPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QUrl>
#include <QWidget>
#include <QWindow>

namespace kirimo {

MsgAnswer QtMessageBoxes::Show(const QString& text, MsgIcon icon, MsgButtons buttons,
                               bool systemModal) {
  QMessageBox box;
  box.setWindowTitle(QApplication::applicationName());
  box.setText(text);
  switch (icon) {
    case MsgIcon::Warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case MsgIcon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case MsgIcon::Question:
      box.setIcon(QMessageBox::Question);
      break;
  }
  if (buttons == MsgButtons::YesNoCancel) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  if (systemModal) {
    // Nothing of ours is on screen yet, so the box must not hide behind
    // the window the user is working in.
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  }
  switch (box.exec()) {
    case QMessageBox::Yes:
      return MsgAnswer::Yes;
    case QMessageBox::No:
      return MsgAnswer::No;
    case QMessageBox::Cancel:
      return MsgAnswer::Cancel;
    default:
      return buttons == MsgButtons::YesNoCancel ? MsgAnswer::Cancel : MsgAnswer::Ok;
  }
}

void QtMessageBoxes::Beep() { QApplication::beep(); }

bool UserInstanceLock::TryAcquire() {
  // The runtime directory is the user's own; the shared temporary directory
  // needs the user in the name.
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  QString name = QStringLiteral("kirimo.lock");
  if (dir.isEmpty()) {
    dir = QDir::tempPath();
    name = QStringLiteral("kirimo-%1.lock").arg(qHash(QDir::homePath()), 0, 16);
  }
  lock_ = std::make_unique<QLockFile>(dir + QLatin1Char('/') + name);
  // Only a dead owner makes the lock stale: a copy that has run for hours
  // still owns it.
  lock_->setStaleLockTime(0);
  if (lock_->tryLock(0)) return true;
  // Only a lock held by another process means another copy; a directory
  // that cannot take the file must not keep the program from starting.
  return lock_->error() != QLockFile::LockFailedError;
}

std::filesystem::path ExecutableSettingsLocation::ExecutableDir() const {
  return QCoreApplication::applicationDirPath().toStdU16String();
}

QtTrayIcon::QtTrayIcon() = default;
QtTrayIcon::~QtTrayIcon() = default;

bool QtTrayIcon::Available() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

void QtTrayIcon::Add(const QIcon& icon, const QString& tip, QMenu* menu) {
  if (!icon_) {
    icon_ = std::make_unique<QSystemTrayIcon>(icon);
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                       if (!onActivated) return;
                       switch (reason) {
                         case QSystemTrayIcon::Trigger:
                         case QSystemTrayIcon::DoubleClick:
                           onActivated(TrayCode::kLeftDown);
                           break;
                         case QSystemTrayIcon::Context:
                           onActivated(TrayCode::kRightDown);
                           onActivated(TrayCode::kRightUp);
                           break;
                         default:
                           break;
                       }
                     });
  }
  // Hosts that draw the menu themselves need it before the icon shows.
  if (icon_->contextMenu() != menu) icon_->setContextMenu(menu);
  icon_->setToolTip(tip);
  if (!icon_->isVisible()) icon_->show();
}

void QtTrayIcon::Remove() {
  if (icon_) icon_->hide();
}

bool QtTrayIcon::Shown() const { return icon_ && icon_->isVisible(); }

void QtWindowStacking::SetTopmost(QWidget* window, bool on) {
  if (QWindow* handle = window->windowHandle()) {
    // The native window changes its state in place; the widget is told
    // without acting on it, so that a later show does not undo the change.
    handle->setFlag(Qt::WindowStaysOnTopHint, on);
    window->overrideWindowFlags(window->windowFlags().setFlag(Qt::WindowStaysOnTopHint, on));
  } else {
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);  // not shown yet: nothing to re-create
  }
}

bool QtWindowStacking::IsTopmost(const QWidget* window) const {
  if (const QWindow* handle = window->windowHandle())
    return handle->flags().testFlag(Qt::WindowStaysOnTopHint);
  return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void QtWindowStacking::BringToForeground(QWidget* window) {
  window->raise();
  window->activateWindow();
}

bool QtWindowStacking::StartSystemMove(QWidget* window) {
  QWindow* handle = window->windowHandle();
  return handle && handle->startSystemMove();
}

bool QtProcessLauncher::StartCommandLine(const QString& commandLine) {
  QStringList parts = QProcess::splitCommand(commandLine);
  if (parts.isEmpty()) return false;
  const QString program = parts.takeFirst();
  return QProcess::startDetached(program, parts);
}

bool QtProcessLauncher::OpenWithDefaultProgram(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace kirimo
