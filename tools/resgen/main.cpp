// Makes every picture and sound of the game into the folder given as the first
// argument, plus the .qrc that compiles them in. Deterministic: the same build
// always writes the same files.
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <exception>

#include "asset_sink.h"

using namespace pebble::resgen;

int main(int argc, char** argv) {
  // The contact sheet writes its captions with a font; no window is ever shown.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [--sheet PREFIX]\n", argv[0]);
    return 2;
  }
  try {
    AssetSink sink(args[1]);
    MakeTextures(sink);
    MakeBackground(sink);
    MakeSpecialStones(sink);
    MakeToolbarGlyphs(sink);
    MakeIcons(sink);
    MakeDigits(sink);
    MakeAboutPictures(sink);
    MakeSounds(sink);
    sink.WriteQrc("pebbledrome.qrc");

    for (const SoundFacts& s : sink.Sounds()) {
      std::printf("%-12s %5d Hz  %.3f s  rms %.3f  peak %.3f\n", qPrintable(s.name), s.sampleRate,
                  s.seconds, s.rms, s.peak);
    }
    const int sheetAt = static_cast<int>(args.indexOf("--sheet"));
    if (sheetAt > 0 && sheetAt + 1 < args.size()) {
      const auto [small, large] = ContactSheets(sink);
      small.save(args[sheetAt + 1] + "-small.png");
      large.save(args[sheetAt + 1] + "-large.png");
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "resgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
