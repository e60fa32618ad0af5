#include "app/QtPlatform.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>

namespace kirimo {

MsgAnswer QtMessageBoxes::Show(const QString& text, MsgIcon icon, MsgButtons buttons,
                               bool systemModal) {
  QMessageBox box;
  box.setWindowTitle(QApplication::applicationName());
  box.setText(text);
  switch (icon) {
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
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
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    default: return buttons == MsgButtons::YesNoCancel ? MsgAnswer::Cancel : MsgAnswer::Ok;
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

}  // namespace kirimo
