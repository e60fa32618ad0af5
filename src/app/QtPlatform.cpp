#include "app/QtPlatform.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QUrl>
#include <QWidget>
#include <QWindow>
#include <string>

#if defined(Q_OS_LINUX)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#elif defined(Q_OS_WIN)
#include <windows.h>

#include <algorithm>
#endif

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

// The lock must not depend on the environment: a second copy started by a
// cron job, su or a launcher without XDG_RUNTIME_DIR (or with another one)
// would otherwise run beside the first on the same Kirim.ini, and the two
// would lose each other's writes. It is per user and per program folder:
// copies in two folders keep two files and cannot hurt each other.
namespace {

std::string InstanceName() {
  const QByteArray folder = QCoreApplication::applicationDirPath().toUtf8();
  const QByteArray digest =
      QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(16);
  return "kirimo-instance-" + digest.toStdString();
}

}  // namespace

#if defined(Q_OS_LINUX)
// A socket name in the abstract namespace, per user: it exists exactly as
// long as the process that holds it, however that process ends.
bool UserInstanceLock::TryAcquire() {
  const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  // A system that cannot give us a socket must not keep the program from
  // starting.
  if (descriptor < 0) return true;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string name = InstanceName() + "-" + std::to_string(::getuid());
  std::memcpy(address.sun_path + 1, name.data(), name.size());
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  if (::bind(descriptor, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
    descriptor_ = descriptor;
    return true;
  }
  const bool taken = errno == EADDRINUSE;
  ::close(descriptor);
  return !taken;
}

UserInstanceLock::~UserInstanceLock() {
  if (descriptor_ >= 0) ::close(descriptor_);
}
#elif defined(Q_OS_WIN)
// A named mutex in the session's own namespace, per user.
bool UserInstanceLock::TryAcquire() {
  std::wstring user = QDir::homePath().toStdWString();
  std::replace(user.begin(), user.end(), L'\\', L'/');
  const std::wstring name =
      L"Local\\Kirimo-" + user + L"-" + QString::fromStdString(InstanceName()).toStdWString();
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, name.c_str());
  if (!mutex) return true;
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(mutex);
    return false;
  }
  handle_ = mutex;
  return true;
}

UserInstanceLock::~UserInstanceLock() {
  if (handle_) ::CloseHandle(static_cast<HANDLE>(handle_));
}
#else
// Elsewhere a lock file under the user's home, which no environment
// variable moves.
bool UserInstanceLock::TryAcquire() {
  lock_ =
      std::make_unique<QLockFile>(QDir::homePath() + QStringLiteral("/.") +
                                  QString::fromStdString(InstanceName()) + QStringLiteral(".lock"));
  // Only a dead owner makes the lock stale: a copy that has run for hours
  // still owns it.
  lock_->setStaleLockTime(0);
  if (lock_->tryLock(0)) return true;
  // Only a lock held by another process means another copy; a directory
  // that cannot take the file must not keep the program from starting.
  return lock_->error() != QLockFile::LockFailedError;
}

UserInstanceLock::~UserInstanceLock() = default;
#endif

std::filesystem::path ExecutableSettingsLocation::ExecutableDir() const {
  return QCoreApplication::applicationDirPath().toStdU16String();
}

std::filesystem::path ExecutableSettingsLocation::UserConfigDir() const {
  // ~/.config/Kirimo, %LOCALAPPDATA%\Kirimo on Windows.
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdU16String();
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
  // Switched either way, the window comes to the top of its band, as it
  // does on Windows: after a message box the windows come back in the
  // order they were applied, and a window opened under another shows.
  Raise(window);
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

void QtWindowStacking::Raise(QWidget* window) {
  if (window->isVisible()) window->raise();
}

bool QtWindowStacking::StartSystemMove(QWidget* window) {
  QWindow* handle = window->windowHandle();
  return handle && handle->startSystemMove();
}

bool QtProcessLauncher::StartCommandLine(const QString& commandLine) {
  const QString line = commandLine.trimmed();
  if (line.isEmpty()) return false;
  const qsizetype space = line.indexOf(QLatin1Char(' '));
  QProcess process;
  process.setProgram(space < 0 ? line : line.left(space));
#ifdef Q_OS_WIN
  // The rest goes over as it stands: "Notepad C:\Program Files\x.txt" must
  // reach Notepad as one unquoted path, spaces and all.
  if (space >= 0) process.setNativeArguments(line.mid(space + 1));
#else
  if (space >= 0) process.setArguments(QProcess::splitCommand(line.mid(space + 1)));
#endif
  return process.startDetached();
}

bool QtProcessLauncher::OpenWithDefaultProgram(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace kirimo
