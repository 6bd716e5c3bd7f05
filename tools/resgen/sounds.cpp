// The nine sounds, synthesised: 8-bit unsigned mono PCM at 11025 samples per
// second (the explosion at 11000). Every sound starts and ends in silence
// (short fades), peaks well below full scale and is dithered, so quiet tails
// decay smoothly instead of buzzing at 8 bits.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "asset_sink.h"
#include "rng.h"

namespace pebble::resgen {
namespace {

constexpr int kRate = 11025;
constexpr double kTau = 6.283185307179586;

using Signal = std::vector<double>;

Signal Silence(double seconds, int rate = kRate) {
  return Signal(static_cast<std::size_t>(seconds * rate), 0.0);
}

// A decaying partial: amplitude, frequency, decay time constant, start time.
void AddPartial(Signal& s, int rate, double amplitude, double frequency, double decay, double start = 0,
                double phase = 0) {
  for (std::size_t i = static_cast<std::size_t>(start * rate); i < s.size(); ++i) {
    const double t = static_cast<double>(i) / rate - start;
    s[i] += amplitude * std::exp(-t / decay) * std::sin(kTau * frequency * t + phase);
  }
}

// Resonant two-pole band-pass, for shaping noise.
class Resonator {
 public:
  void Tune(double frequency, double bandwidth, int rate) {
    const double r = std::exp(-kTau * bandwidth / (2 * rate));
    a1_ = 2 * r * std::cos(kTau * frequency / rate);
    a2_ = -r * r;
    gain_ = 1 - r;
  }
  double Step(double in) {
    const double out = gain_ * in + a1_ * y1_ + a2_ * y2_;
    y2_ = y1_;
    y1_ = out;
    return out;
  }

 private:
  double a1_ = 0, a2_ = 0, gain_ = 0, y1_ = 0, y2_ = 0;
};

class LowPass {
 public:
  double Step(double in, double cutoff, int rate) {
    const double k = 1 - std::exp(-kTau * cutoff / rate);
    y_ += k * (in - y_);
    return y_;
  }

 private:
  double y_ = 0;
};

// Scales the signal to the given peak and fades both ends so nothing clicks.
void Finish(Signal& s, int rate, double peak, double fadeIn = 0.002, double fadeOut = 0.03) {
  double largest = 1e-9;
  for (double v : s) largest = std::max(largest, std::fabs(v));
  const auto in = static_cast<std::size_t>(fadeIn * rate), out = static_cast<std::size_t>(fadeOut * rate);
  for (std::size_t i = 0; i < s.size(); ++i) {
    double gain = peak / largest;
    if (i < in) gain *= 0.5 - 0.5 * std::cos(kTau * 0.5 * i / in);
    if (i + out >= s.size()) gain *= 0.5 - 0.5 * std::cos(kTau * 0.5 * (s.size() - 1 - i) / out);
    s[i] *= gain;
  }
}

std::vector<std::uint8_t> Quantise(const Signal& s, std::uint64_t seed) {
  Rng rng(seed);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(s.size());
  for (double v : s) {
    const double dither = (rng.Unit() - rng.Unit()) * 0.5;  // triangular, one step wide
    const double level = std::clamp(128 + v * 127 + dither, 0.0, 255.0);
    bytes.push_back(static_cast<std::uint8_t>(std::lround(level)));
  }
  return bytes;
}

// Two stones striking: a bright, very short clack with a woody body.
Signal Hit() {
  Signal s = Silence(0.16);
  AddPartial(s, kRate, 1.0, 2150, 0.018);
  AddPartial(s, kRate, 0.7, 3380, 0.012, 0, 1.1);
  AddPartial(s, kRate, 0.45, 4630, 0.008, 0, 2.0);
  AddPartial(s, kRate, 0.5, 1190, 0.03, 0, 0.4);
  Rng rng(101);
  for (std::size_t i = 0; i < 60; ++i) s[i] += (rng.Unit() - 0.5) * 1.2 * (1 - i / 60.0);
  Finish(s, kRate, 0.78, 0.0005, 0.04);
  return s;
}

// A group crumbling: a shower of small clicks that thins out.
Signal Crumble() {
  Signal s = Silence(0.42);
  Rng rng(202);
  double t = 0;
  while (t < 0.34) {
    const double density = 1 - t / 0.36;
    const double loud = 0.3 + 0.7 * density * rng.Unit();
    const double pitch = rng.Range(1500, 4200);
    AddPartial(s, kRate, loud, pitch, rng.Range(0.004, 0.012), t, rng.Range(0, kTau));
    AddPartial(s, kRate, loud * 0.5, pitch * rng.Range(1.4, 1.7), 0.004, t);
    t += rng.Range(0.006, 0.03) / (0.3 + density);
  }
  Resonator body;
  body.Tune(900, 500, kRate);
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double noise = (rng.Unit() - 0.5) * std::exp(-static_cast<double>(i) / kRate / 0.12);
    s[i] += 2.5 * body.Step(noise);
  }
  Finish(s, kRate, 0.72, 0.001, 0.06);
  return s;
}

// A bomb: a low thud falling in pitch under a rumble of filtered noise.
Signal Explode(int rate) {
  Signal s = Silence(0.62, rate);
  Rng rng(303);
  LowPass rumble, crack;
  double phase = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const double frequency = 38 + 90 * std::exp(-t / 0.08);
    phase += kTau * frequency / rate;
    const double thud = std::sin(phase) * std::exp(-t / 0.16) * std::min(1.0, t / 0.004);
    const double noise = rng.Unit() * 2 - 1;
    const double low = rumble.Step(noise, 260 + 900 * std::exp(-t / 0.05), rate) * std::exp(-t / 0.22);
    const double burst = crack.Step(noise, 2400, rate) * std::exp(-t / 0.025);
    s[i] = 0.9 * thud + 2.2 * low + 0.5 * burst;
  }
  Finish(s, rate, 0.85, 0.001, 0.12);
  return s;
}

// A rocket: a swelling whoosh of noise through a band that sweeps upwards.
Signal Missile() {
  Signal s = Silence(0.5);
  Rng rng(404);
  Resonator band;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double progress = t / 0.5;
    band.Tune(350 + 2600 * progress * progress, 260 + 500 * progress, kRate);
    const double envelope = std::sin(3.14159265 * std::pow(progress, 0.7));
    s[i] = band.Step(rng.Unit() * 2 - 1) * envelope;
  }
  Finish(s, kRate, 0.7, 0.01, 0.08);
  return s;
}

// A stone landing from the ramp: a soft, hollow wooden knock.
Signal Drop() {
  Signal s = Silence(0.2);
  AddPartial(s, kRate, 1.0, 196, 0.045);
  AddPartial(s, kRate, 0.6, 452, 0.028, 0, 0.7);
  AddPartial(s, kRate, 0.3, 780, 0.016, 0, 1.9);
  AddPartial(s, kRate, 0.15, 1310, 0.008, 0, 0.3);
  Finish(s, kRate, 0.75, 0.002, 0.05);
  return s;
}

// A click that finds no group: a short, dull, low buzz.
Signal NoHit() {
  Signal s = Silence(0.22);
  LowPass soften;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    double saw = 0;
    for (int k = 1; k <= 12; ++k) saw += std::sin(kTau * 98 * k * t) / k;
    const double envelope = std::min(1.0, t / 0.012) * std::exp(-t / 0.1);
    s[i] = soften.Step(saw, 700, kRate) * envelope;
  }
  Finish(s, kRate, 0.6, 0.003, 0.05);
  return s;
}

// A soft tone with a few harmonics, shaped like a mallet on a wooden bar.
Signal Note(int rate, double frequency, double length, double loud, double total) {
  Signal note = Silence(total, rate);
  AddPartial(note, rate, loud, frequency, length);
  AddPartial(note, rate, loud * 0.35, frequency * 2, length * 0.5, 0, 0.3);
  AddPartial(note, rate, loud * 0.12, frequency * 3.98, length * 0.2, 0, 0.9);
  const auto attack = static_cast<std::size_t>(0.003 * rate);
  for (std::size_t i = 0; i < attack; ++i) note[i] *= static_cast<double>(i) / attack;
  return note;
}

void MixIn(Signal& into, const Signal& what, double start, int rate) {
  const auto offset = static_cast<std::size_t>(start * rate);
  for (std::size_t i = 0; i < what.size() && i + offset < into.size(); ++i) into[i + offset] += what[i];
}

// Undo: a quick blip that sweeps down, as if the last move were wound back.
Signal Rewind() {
  Signal s = Silence(0.26);
  double phase = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double frequency = 1500 * std::exp(-t / 0.09) + 420;
    phase += kTau * frequency / kRate;
    const double flutter = 0.65 + 0.35 * std::sin(kTau * 38 * t);
    s[i] = (std::sin(phase) + 0.25 * std::sin(2 * phase)) * flutter * std::exp(-t / 0.12);
  }
  Finish(s, kRate, 0.6, 0.004, 0.05);
  return s;
}

// A cleared field: a bright rising arpeggio ending on a ringing chord.
Signal Won() {
  Signal s = Silence(1.25);
  const double notes[] = {523.25, 659.25, 783.99, 1046.5};
  for (int i = 0; i < 4; ++i) MixIn(s, Note(kRate, notes[i], i == 3 ? 0.45 : 0.22, 1.0, 1.0), i * 0.11, kRate);
  MixIn(s, Note(kRate, 659.25, 0.4, 0.5, 0.9), 0.33, kRate);
  MixIn(s, Note(kRate, 783.99, 0.4, 0.5, 0.9), 0.33, kRate);
  Finish(s, kRate, 0.8, 0.002, 0.15);
  return s;
}

// The end of a game: a gentle falling motif in minor.
Signal End() {
  Signal s = Silence(1.2);
  const double notes[] = {659.25, 523.25, 440.0, 329.63};
  const double starts[] = {0.0, 0.18, 0.36, 0.58};
  for (int i = 0; i < 4; ++i) {
    MixIn(s, Note(kRate, notes[i], i == 3 ? 0.4 : 0.2, i == 3 ? 1.0 : 0.8, 0.62), starts[i], kRate);
  }
  Finish(s, kRate, 0.75, 0.002, 0.15);
  return s;
}

}  // namespace

void MakeSounds(AssetSink& sink) {
  sink.Wave("SND_DROP", Quantise(Drop(), 1), kRate);
  sink.Wave("SND_END", Quantise(End(), 2), kRate);
  sink.Wave("SND_EXPLODE", Quantise(Explode(11000), 3), 11000);
  sink.Wave("SND_HIT", Quantise(Hit(), 4), kRate);
  sink.Wave("SND_HITANI", Quantise(Crumble(), 5), kRate);
  sink.Wave("SND_MISSILE", Quantise(Missile(), 6), kRate);
  sink.Wave("SND_NOHIT", Quantise(NoHit(), 7), kRate);
  sink.Wave("SND_UNDO", Quantise(Rewind(), 8), kRate);
  sink.Wave("SND_WON", Quantise(Won(), 9), kRate);
}

}  // namespace pebble::resgen
