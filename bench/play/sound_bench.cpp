// Figures of the built-in synthesiser with one SoundFont, no window:
//   synth_ready_ms          from the preload's start to the default output being ready to open
//   resident_mb_when_ready  the process's resident memory then
//   wav_export_x_realtime   seconds of sound rendered to WAV per second of rendering, for a
//                           generated tune of NOTES notes (recorded play included)
// Usage: sound_bench SOUNDFONT [NOTES]   (200 by default)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "melodex/midi_platform.h"
#include "melodex/sound_output.h"
#include "player/export/recorded_play.h"
#include "tune/tune_file.h"

namespace {

double residentMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
  }
  return 0.0;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: sound_bench SOUNDFONT [NOTES]\n");
    return 2;
  }
  const std::filesystem::path soundFont = argv[1];
  const int notes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;

  const auto preloadStart = std::chrono::steady_clock::now();
  melodex::preloadBuiltInSynthesiser(soundFont);
  while (!melodex::currentPlatform().readyToOpen(-1)) std::this_thread::sleep_for(std::chrono::microseconds(200));
  std::printf("synth_ready_ms %.1f\n", secondsSince(preloadStart) * 1000.0);
  std::printf("resident_mb_when_ready %.1f\n", residentMegabytes());

  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  const std::filesystem::path tunePath = folder / ("sound-bench-" + std::to_string(::getpid()) + ".abc");
  {
    std::ofstream tune(tunePath);
    tune << "X:1\nT:Generated\nK:D\n";
    const char* const names[] = {"D", "E", "F", "G", "A", "B", "c", "d"};
    for (int i = 0; i < notes; ++i) tune << names[i % 8] << (i % 8 == 7 ? "|\n" : "");
    tune << "|]\n";
  }
  const auto exportStart = std::chrono::steady_clock::now();
  const corvale::RecordedPlay play = corvale::recordPlay(corvale::readTuneFile(tunePath).lineStore, 1, {});
  const std::filesystem::path wav = folder / ("sound-bench-" + std::to_string(::getpid()) + ".wav");
  std::string problem;
  if (!melodex::renderWav(play.words, soundFont, wav, problem)) {
    std::fprintf(stderr, "sound_bench: %s\n", problem.c_str());
    return 1;
  }
  const double rendering = secondsSince(exportStart);
  const double sound = static_cast<double>(play.words.back().timeMicroseconds) / 1e6 + 1.5;
  std::printf("wav_export_seconds_of_sound %.1f\n", sound);
  std::printf("wav_export_x_realtime %.1f\n", sound / rendering);
  std::filesystem::remove(wav);
  std::filesystem::remove(tunePath);
  return 0;
}
