// Writes the game's sounds as WAV files (44.1 kHz, 16-bit, mono) into the folder it is given.
// Every cue is a list of notes; to retune a sound, change its notes below and rebuild.
//
//   make_sounds FOLDER

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;
// Quiet beside a desktop's other sounds, and never clipped when two cues overlap.
constexpr double kPeak = 0.30;
// The player opens a fresh stream for each cue; silence at the end lets the stream's last
// buffer drain before it closes, so no cue is cut short.
constexpr double kTrailingSilenceMs = 300;

enum class Shape {
  Bell,   // struck: a quick attack, then an exponential decay
  Beep,   // held: soft edges of a few milliseconds, no clicks
  Pluck,  // very short and dry, for the ticks
};

struct Note {
  double startMs;
  double lengthMs;
  double hz;
  double endHz = 0;  // a glide to this pitch when not 0
  Shape shape = Shape::Beep;
  double level = 1.0;
  // Overtones as pairs of (multiple of the pitch, level); a gong's are not whole multiples.
  std::vector<std::pair<double, double>> partials = {{1, 1.0}};
  double decayMs = 0;  // Bell: the time to fall to a third; 0 means a third of the length
};

struct Sound {
  const char* file;
  std::vector<Note> notes;
};

const std::vector<std::pair<double, double>> kWarm = {{1, 1.0}, {2, 0.25}, {3, 0.08}};
const std::vector<std::pair<double, double>> kReedy = {{1, 1.0}, {3, 0.35}, {5, 0.15}, {7, 0.06}};
// Measured ratios of a tam-tam's first modes, each a little detuned so they beat slowly.
const std::vector<std::pair<double, double>> kGong = {{1.00, 1.0},  {1.51, 0.55}, {2.04, 0.45},
                                                      {2.68, 0.30}, {3.42, 0.22}, {4.17, 0.15},
                                                      {5.43, 0.10}, {1.006, 0.5}, {2.032, 0.2}};

const std::vector<Sound> kSounds = {
    // A right answer: two rising notes, C6 then E6.
    {"right.wav",
     {{0, 90, 1046.5, 0, Shape::Bell, 0.9, kWarm}, {80, 220, 1318.5, 0, Shape::Bell, 1.0, kWarm}}},
    // A wrong answer and the game lost: a falling minor third, low and reedy.
    {"wrong.wav",
     {{0, 200, 233.1, 0, Shape::Beep, 1.0, kReedy},
      {210, 360, 196.0, 0, Shape::Beep, 1.0, kReedy}}},
    // The time turned red: two calm beeps.
    {"clock-red.wav", {{0, 90, 880, 0, Shape::Beep, 0.8}, {170, 90, 880, 0, Shape::Beep, 0.8}}},
    // The last ten seconds: three quicker, higher beeps.
    {"last-ten.wav",
     {{0, 70, 1174.7, 0, Shape::Beep, 0.8},
      {120, 70, 1174.7, 0, Shape::Beep, 0.8},
      {240, 70, 1174.7, 0, Shape::Beep, 0.8}}},
    // Time out: a long falling glide.
    {"time-out.wav", {{0, 600, 660, 330, Shape::Beep, 1.0, kReedy}}},
    // A round won: C major arpeggio, its top held.
    {"round-won.wav",
     {{0, 110, 523.3, 0, Shape::Bell, 0.8, kWarm},
      {100, 110, 659.3, 0, Shape::Bell, 0.8, kWarm},
      {200, 110, 784.0, 0, Shape::Bell, 0.8, kWarm},
      {300, 380, 1046.5, 0, Shape::Bell, 1.0, kWarm}}},
    // The gong game begins: three low rising steps, a roll before the strike.
    {"gong-game.wav",
     {{0, 140, 196.0, 0, Shape::Beep, 0.8, kReedy},
      {160, 140, 246.9, 0, Shape::Beep, 0.8, kReedy},
      {320, 260, 293.7, 0, Shape::Beep, 0.9, kReedy}}},
    // Each sum the ticker shows: a soft wooden tick.
    {"gong-value.wav", {{0, 40, 1568, 0, Shape::Pluck, 0.6, {{1, 1.0}, {2.7, 0.2}}}}},
    // "ГОНГ": a tam-tam struck once and left to ring.
    {"gong.wav", {{0, 2200, 110, 0, Shape::Bell, 1.0, kGong, 700}}},
    // The most won back: a fanfare, G4 C5 E5 then a held C major chord.
    {"maximum.wav",
     {{0, 120, 392.0, 0, Shape::Beep, 0.7, kWarm},
      {130, 120, 523.3, 0, Shape::Beep, 0.7, kWarm},
      {260, 120, 659.3, 0, Shape::Beep, 0.7, kWarm},
      {390, 500, 523.3, 0, Shape::Bell, 0.5, kWarm},
      {390, 500, 659.3, 0, Shape::Bell, 0.5, kWarm},
      {390, 500, 784.0, 0, Shape::Bell, 0.7, kWarm}}},
    // A place in the records: a bright rising sparkle ending on a high E.
    {"record.wav",
     {{0, 90, 1318.5, 0, Shape::Bell, 0.7, kWarm},
      {80, 90, 1568.0, 0, Shape::Bell, 0.7, kWarm},
      {160, 90, 1975.5, 0, Shape::Bell, 0.7, kWarm},
      {240, 420, 2637.0, 0, Shape::Bell, 0.9, kWarm}}},
};

double envelope(const Note& note, double t) {
  const double length = note.lengthMs / 1000;
  switch (note.shape) {
    case Shape::Beep: {
      const double edge = 0.006;
      return std::min({1.0, t / edge, (length - t) / edge});
    }
    case Shape::Bell:
    case Shape::Pluck: {
      const double attack = note.shape == Shape::Pluck ? 0.001 : 0.004;
      const double decay = (note.decayMs > 0 ? note.decayMs : note.lengthMs / 3) / 1000;
      // The last 20 ms fade to nothing, so a cut decay never clicks.
      const double tail = std::min(1.0, (length - t) / 0.02);
      return std::min(1.0, t / attack) * std::exp(-t / decay) * tail;
    }
  }
  return 0;
}

std::vector<double> render(const Sound& sound) {
  double endMs = 0;
  for (const Note& n : sound.notes)
    endMs = std::max(endMs, n.startMs + n.lengthMs);
  std::vector<double> out(static_cast<size_t>((endMs + kTrailingSilenceMs) * kRate / 1000), 0.0);
  for (const Note& n : sound.notes) {
    const auto first = static_cast<size_t>(n.startMs * kRate / 1000);
    const auto count = static_cast<size_t>(n.lengthMs * kRate / 1000);
    double phase = 0;  // of the pitch, carried so a glide stays smooth
    for (size_t i = 0; i < count; ++i) {
      const double t = static_cast<double>(i) / kRate;
      const double along = t / (n.lengthMs / 1000);
      const double hz = n.endHz > 0 ? n.hz * std::pow(n.endHz / n.hz, along) : n.hz;
      phase += 2 * kPi * hz / kRate;
      double v = 0;
      for (const auto& [multiple, level] : n.partials) {
        // Higher modes of a struck body die sooner.
        const double damping = n.shape == Shape::Beep ? 1.0 : std::exp(-t * (multiple - 1) * 1.2);
        v += level * damping * std::sin(phase * multiple);
      }
      out[first + i] += n.level * envelope(n, t) * v;
    }
  }
  double peak = 0;
  for (double v : out)
    peak = std::max(peak, std::abs(v));
  if (peak > 0)
    for (double& v : out)
      v *= kPeak / peak;
  return out;
}

void put(std::ofstream& f, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i)
    f.put(static_cast<char>((v >> (8 * i)) & 0xff));
}

bool writeWav(const std::filesystem::path& path, const std::vector<double>& samples) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  const auto dataBytes = static_cast<uint32_t>(samples.size() * 2);
  f.write("RIFF", 4);
  put(f, 36 + dataBytes, 4);
  f.write("WAVEfmt ", 8);
  put(f, 16, 4);
  put(f, 1, 2);  // PCM
  put(f, 1, 2);  // mono
  put(f, kRate, 4);
  put(f, kRate * 2, 4);
  put(f, 2, 2);
  put(f, 16, 2);
  f.write("data", 4);
  put(f, dataBytes, 4);
  for (double v : samples) {
    const auto s = static_cast<int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767));
    put(f, static_cast<uint16_t>(s), 2);
  }
  return static_cast<bool>(f.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_sounds FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  for (const Sound& sound : kSounds) {
    if (!writeWav(folder / sound.file, render(sound))) {
      std::cerr << "make_sounds: cannot write " << (folder / sound.file).string() << "\n";
      return 1;
    }
  }
  return 0;
}
