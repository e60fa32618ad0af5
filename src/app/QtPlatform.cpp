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
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
  lock_ = std::make_unique<QLockFile>(dir + QStringLiteral("/kirimo-") + user +
                                      QStringLiteral(".lock"));
  // Only a dead owner makes the lock stale: a copy that has run for hours
  // still owns it.
  lock_->setStaleLockTime(0);
  return lock_->tryLock(0);
}

std::filesystem::path ExecutableSettingsLocation::ExecutableDir() const {
  return QCoreApplication::applicationDirPath().toStdU16String();
}

}  // namespace kirimo
