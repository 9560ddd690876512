#include "app/sound/sounds.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QSettings>
#include <QThread>
#include <QTimer>
#include <cstdio>

#include "app/sound/sound_worker.h"

namespace kelmora::sound {

namespace {

// Lives in the player's thread: loads the sound module there and hands it each cue.
class Host : public QObject {
 public:
  explicit Host(QString module) : module_(std::move(module)) {}

  void connectToServer() {
    if (loaded_) return;
    loaded_ = true;
    QLibrary library(module_);
    const auto make = reinterpret_cast<MakeSoundWorker>(library.resolve(kMakeSoundWorker));
    if (!make) {
      // A game installed without its sound module plays on in silence, saying why once.
      std::fprintf(stderr, "kelmora: no sound: %s\n", qPrintable(library.errorString()));
      return;
    }
    worker_ = make();
    worker_->setParent(this);
    worker_->connectToServer();
  }

  void play(const QString& file) {
    connectToServer();
    if (worker_) worker_->play(file);
  }

 private:
  QString module_;
  bool loaded_ = false;
  SoundWorker* worker_ = nullptr;
};

QSettings userSettings() {
  return QSettings(QStringLiteral("kelmora"), QStringLiteral("kelmora"));
}

const QString kSoundKey = QStringLiteral("sound/on");

}  // namespace

QtCuePlayer::QtCuePlayer(QString folder, QString module)
    : folder_(std::move(folder)),
      module_(std::move(module)),
      haveSounds_(QFileInfo(folder_).isDir()) {}

QtCuePlayer::~QtCuePlayer() {
  if (!thread_) return;
  thread_->quit();
  // A sound server that stopped answering must not keep the game from ending: then the
  // thread is left to the end of the process.
  if (thread_->wait(QDeadlineTimer(1000))) delete thread_;
}

void QtCuePlayer::prepare() {
  if (thread_ || !haveSounds_) return;
  thread_ = new QThread;
  thread_->setObjectName(QStringLiteral("sound"));
  auto* worker = new Host(module_);
  worker->moveToThread(thread_);
  QObject::connect(thread_, &QThread::finished, worker, &QObject::deleteLater);
  host_ = worker;
  thread_->start(QThread::LowPriority);
  QMetaObject::invokeMethod(
      worker, [worker] { worker->connectToServer(); }, Qt::QueuedConnection);
}

void QtCuePlayer::play(Cue cue) {
  if (!haveSounds_) return;
  const QString file = folder_ + QLatin1Char('/') + QString::fromLatin1(fileName(cue));
  prepare();
  auto* worker = static_cast<Host*>(host_);
  QMetaObject::invokeMethod(
      worker, [worker, file] { worker->play(file); }, Qt::QueuedConnection);
}

QString installedSoundsFolder() {
  const QString programDir = QCoreApplication::applicationDirPath();
  const QString built = programDir + QStringLiteral("/sounds");
  if (QFileInfo(built).isDir()) return built;
  return QDir::cleanPath(programDir + QLatin1Char('/') +
                         QStringLiteral(KELMORA_SOUNDS_FROM_PROGRAM));
}

QString installedSoundModule() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/kelmora-sound.so");
}

bool soundOnSetting() {
  return userSettings().value(kSoundKey, true).toBool();
}

void saveSoundOnSetting(bool on) {
  QSettings settings = userSettings();
  settings.setValue(kSoundKey, on);
  settings.sync();
}

Sounds::Sounds(QAction& toggle, CuePlayer* player)
    : ownPlayer_(player ? nullptr : std::make_unique<QtCuePlayer>(installedSoundsFolder(), installedSoundModule())),
      listener_(player ? *player : *ownPlayer_) {
  listener_.setEnabled(soundOnSetting());
  toggle.setChecked(listener_.enabled());
  QObject::connect(&toggle, &QAction::toggled, &context_, [this](bool on) {
    listener_.setEnabled(on);
    saveSoundOnSetting(on);
  });
  // The server is looked for once the window is up and the player reads the first screen,
  // so neither the start-up nor the first cue waits for it.
  if (ownPlayer_) {
    QTimer::singleShot(500, &context_, [player = ownPlayer_.get()] { player->prepare(); });
  }
}

Sounds::~Sounds() = default;

}  // namespace kelmora::sound
