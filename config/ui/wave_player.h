#pragma once
// Plays the game's sounds: a ".wav" file by its name, otherwise a built-in sound
// by its resource name (SND_HIT, SND_DROP, ...). A new sound replaces one still
// playing. The audio output is opened on the first sound, never at start-up.

#include <QString>
#include <QUrl>
#include <memory>

namespace pebble {

// Where the sounds go: the audio output in the game, a recorder in tests.
class SoundSink {
 public:
  virtual ~SoundSink() = default;
  // Starts the sound at source, stopping one still playing; true when it began.
  virtual bool Play(const QUrl& source) = 0;
};

// The audio output, through QSoundEffect.
std::unique_ptr<SoundSink> MakePlatformSoundSink();

inline const QString kSoundResourcePrefix = QStringLiteral(":/res/");

class WavePlayer {
 public:
  explicit WavePlayer(QString resourcePrefix = kSoundResourcePrefix);
  ~WavePlayer();

  void SetSink(std::unique_ptr<SoundSink> sink) { sink_ = std::move(sink); }
  bool HasSink() const { return sink_ != nullptr; }

  // True when playing began; a missing file or an unknown name plays nothing.
  bool PlayWave(const QString& name);

 private:
  QString resourcePrefix_;
  std::unique_ptr<SoundSink> sink_;
};

// What PlayWave would play for a name: the file, or the built-in sound (names
// of built-in sounds ignore letter case); empty when nothing.
QUrl WaveSource(const QString& name, const QString& resourcePrefix = kSoundResourcePrefix);

}  // namespace pebble
