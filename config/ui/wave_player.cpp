#include "config/ui/wave_player.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <map>

namespace pebble {
namespace {

QUrl UrlOfPath(const QString& path) {
  return path.startsWith(u':') ? QUrl(QStringLiteral("qrc") + path) : QUrl::fromLocalFile(path);
}

bool IsPlayableFile(const QString& path) {
  const QFileInfo info(path);
  return info.exists() && info.isFile();
}

// One effect per sound, loaded on its first play and kept for the next.
class EffectSink final : public SoundSink {
 public:
  bool Play(const QUrl& source) override {
    auto& effect = effects_[source.toString()];
    if (!effect) {
      effect = std::make_unique<QSoundEffect>();
      effect->setSource(source);
    }
    if (effect->status() == QSoundEffect::Error) return false;
    if (playing_ && playing_ != effect.get()) playing_->stop();
    effect->stop();
    effect->play();
    playing_ = effect.get();
    return true;
  }

 private:
  std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
  QSoundEffect* playing_ = nullptr;
};

}  // namespace

std::unique_ptr<SoundSink> MakePlatformSoundSink() { return std::make_unique<EffectSink>(); }

QUrl WaveSource(const QString& name, const QString& resourcePrefix) {
  if (name.isEmpty()) return {};
  if (QFileInfo(name).suffix().toLower() == QStringLiteral("wav")) {
    return IsPlayableFile(name) ? QUrl::fromLocalFile(QFileInfo(name).absoluteFilePath()) : QUrl();
  }
  const QString resource = resourcePrefix + name.toUpper();
  return IsPlayableFile(resource) ? UrlOfPath(resource) : QUrl();
}

WavePlayer::WavePlayer(QString resourcePrefix) : resourcePrefix_(std::move(resourcePrefix)) {}

WavePlayer::~WavePlayer() = default;

bool WavePlayer::PlayWave(const QString& name) {
  const QUrl source = WaveSource(name, resourcePrefix_);
  if (source.isEmpty()) return false;
  if (!sink_) sink_ = MakePlatformSoundSink();
  return sink_->Play(source);
}

}  // namespace pebble
