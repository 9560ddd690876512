#include "app/sound/sounds.h"

#include <QAction>
#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSettings>
#include <QSoundEffect>
#include <QThread>
#include <QTimer>
#include <QUrl>

namespace kelmora::sound {

namespace {

// Lives in the player's thread, with every QSoundEffect it makes.
class Worker : public QObject {
 public:
  void connectToServer() {
    if (connected_) return;
    connected_ = true;
    // Without a server Qt says so on stderr once; after that the cues are dropped unheard.
    available_ = !QMediaDevices::defaultAudioOutput().isNull();
  }

  void play(const QString& file) {
    connectToServer();
    // A server that went away mid-game leaves no device: drop the cue rather than have Qt
    // complain once per cue.
    if (!available_ || QMediaDevices::audioOutputs().isEmpty()) return;
    // A fresh effect for every cue: one effect reused loses plays and cuts their ends.
    auto* effect = new QSoundEffect(this);
    // Not playing yet while it loads: only the end of the play, or a failure, lets it go.
    connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
      if (!effect->isPlaying()) effect->deleteLater();
    });
    connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
      if (effect->status() == QSoundEffect::Error) effect->deleteLater();
    });
    // Whatever a broken stream does or fails to report, the effect does not outlive its cue
    // by long.
    QTimer::singleShot(10000, effect, &QObject::deleteLater);
    effect->setSource(QUrl::fromLocalFile(file));
    effect->play();
  }

 private:
  bool connected_ = false;
  bool available_ = false;
};

QSettings userSettings() {
  return QSettings(QStringLiteral("kelmora"), QStringLiteral("kelmora"));
}

const QString kSoundKey = QStringLiteral("sound/on");

}  // namespace

QtCuePlayer::QtCuePlayer(QString folder)
    : folder_(std::move(folder)), haveSounds_(QFileInfo(folder_).isDir()) {}

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
  auto* worker = new Worker;
  worker->moveToThread(thread_);
  QObject::connect(thread_, &QThread::finished, worker, &QObject::deleteLater);
  worker_ = worker;
  thread_->start(QThread::LowPriority);
  QMetaObject::invokeMethod(
      worker, [worker] { worker->connectToServer(); }, Qt::QueuedConnection);
}

void QtCuePlayer::play(Cue cue) {
  if (!haveSounds_) return;
  const QString file = folder_ + QLatin1Char('/') + QString::fromLatin1(fileName(cue));
  prepare();
  auto* worker = static_cast<Worker*>(worker_);
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

bool soundOnSetting() {
  return userSettings().value(kSoundKey, true).toBool();
}

void saveSoundOnSetting(bool on) {
  QSettings settings = userSettings();
  settings.setValue(kSoundKey, on);
  settings.sync();
}

Sounds::Sounds(QAction& toggle, CuePlayer* player)
    : ownPlayer_(player ? nullptr : std::make_unique<QtCuePlayer>(installedSoundsFolder())),
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
