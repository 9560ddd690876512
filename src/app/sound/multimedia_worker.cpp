// The sound module: plays cues through Qt Multimedia on the desktop's sound server.
#include <QMediaDevices>
#include <QAudioDevice>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <atomic>
#include <cstdio>

#include "app/sound/sound_worker.h"

namespace kelmora::sound {
namespace {

// Qt Multimedia and its PulseAudio backend complain on stderr, several lines for one server
// that went away and again for each stream; a game that plays on silently says so once.
QtMessageHandler previousHandler = nullptr;
std::atomic<bool> complained{false};

bool fromSound(const QMessageLogContext& context, const QString& message) {
  if (context.category && qstrncmp(context.category, "qt.multimedia", 13) == 0) return true;
  // Some of them come quoted, as qWarning() writes a QString.
  QStringView text(message);
  if (text.startsWith(QLatin1Char('"'))) text = text.mid(1);
  for (const char* prefix : {"PulseAudioService", "Stream error", "QSoundEffect", "QAudio"}) {
    if (text.startsWith(QLatin1String(prefix))) return true;
  }
  return false;
}

void pass(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (previousHandler) {
    previousHandler(type, context, message);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
  }
}

void sayOnce(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg && fromSound(context, message)) {
    if (!complained.exchange(true))
      pass(QtWarningMsg, context, QStringLiteral("kelmora: no sound: ") + message);
    return;
  }
  pass(type, context, message);
}

class MultimediaWorker : public SoundWorker {
 public:
  void connectToServer() override {
    if (connected_) return;
    connected_ = true;
    // Without a server Qt says so on stderr once; after that the cues are dropped unheard.
    available_ = !QMediaDevices::defaultAudioOutput().isNull();
  }

  void play(const QString& file) override {
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

}  // namespace
}  // namespace kelmora::sound

extern "C" Q_DECL_EXPORT kelmora::sound::SoundWorker* kelmoraMakeSoundWorker() {
  using namespace kelmora::sound;
  static const bool filtering = [] {
    previousHandler = qInstallMessageHandler(sayOnce);
    return true;
  }();
  (void)filtering;
  return new MultimediaWorker;
}
