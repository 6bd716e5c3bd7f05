#include "asset_sink.h"
namespace pebble::resgen {
void MakeToolbarGlyphs(AssetSink&) {}
void MakeIcons(AssetSink&) {}
void MakeDigits(AssetSink&) {}
void MakeAboutPictures(AssetSink&) {}
void MakeSounds(AssetSink&) {}
}
