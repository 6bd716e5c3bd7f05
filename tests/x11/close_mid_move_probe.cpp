// Closes the real game the way a window manager does, with a WM_DELETE_WINDOW
// client message, while stones crumble after a click and while a ramp stone
// falls into the field. The game must let the move settle and then leave with
// exit code 0. Each run gets its own settings (slow animations, so the close
// surely comes mid-move) and its own saved deal, opened from the command line.
//
// Usage, under an X server (e.g. xvfb-run -a): close_mid_move_probe GAME

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "config/settings_model.h"
#include "config/settings_store.h"
#include "control/saved_game.h"
#include "control/saved_game_file.h"

namespace {

using namespace std::chrono_literals;
using pebble::GameSettings;

constexpr int kToolBar = 33;  // the window's tool bar above the ramp and the field
constexpr int kSlowFrame = 400;

struct Scenario {
  const char* name;
  bool autoDrop;
  // Window points to click, one after the other, to start the move.
  std::vector<std::pair<int, int>> clicks;
};

void Fail(const std::string& text) { std::fprintf(stderr, "close_mid_move_probe: %s\n", text.c_str()); }

// A private home for one run: the settings store and the deal live there.
std::filesystem::path MakeHome() {
  std::string pattern = (std::filesystem::temp_directory_path() / "pebble-close-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return {};
  const std::filesystem::path home(pattern);
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  setenv("XDG_CONFIG_DIRS", (home / "etc").c_str(), 1);
  setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
  return home;
}

// Slow frames; a new ramp stone at every tick; no first-run help window.
void WriteSettings() {
  auto store = pebble::MakeDefaultSettingsStore();
  store->SetProgRoot(pebble::kPebbledromeProgRoot);
  store->SaveRegInt(pebble::kRootSection, pebble::kValueVersion, pebble::kSettingsVersion);
  store->SaveRegInt(pebble::kRootSection, pebble::kValueLanguage, 1000);
  for (auto name : {pebble::kValueAniIntervalDelete, pebble::kValueAniIntervalMoveStone,
                    pebble::kValueAniIntervalMoveRow, pebble::kValueAniIntervalDrop})
    store->SaveRegInt(pebble::kConfigSection, name, kSlowFrame);
  store->SaveRegInt(pebble::kConfigSection, pebble::kValueNewStoneEvery, 1);
  store->SaveRegInt(pebble::kConfigSection, pebble::kValueDropInterval, 250);
}

// Without the ramp: fifteen rows of one colour over a bottom row that keeps a
// pair, so a click anywhere above crumbles 150 stones and the game goes on.
// With the ramp: the lower half of the field filled, so every column has room.
pebble::SavedGame Deal(bool autoDrop) {
  GameSettings settings;
  settings.autoDrop = autoDrop;
  settings.soundsOn = false;
  const int columns = settings.columnCount, rows = settings.rowCount;
  pebble::SavedGame game;
  game.computerName = "PROBE";
  game.savedAt = 46000.5;
  game.settings = pebble::SavedSettingsOf(settings, columns, rows);
  const auto& colours = settings.stoneColors;
  for (int i = 0; i < columns * rows; ++i) {
    const int row = i / columns + 1, column = i % columns + 1;
    pebble::TStoneCell cell;
    cell.Index = i;
    cell.Left = (column - 1) * settings.stoneWidth;
    cell.Top = (row - 1) * settings.stoneHeight;
    cell.Occupied = autoDrop ? row > rows / 2 : 1;
    if (autoDrop) {
      cell.Color = colours[static_cast<std::size_t>(1 + (row + column) % 2)];
    } else {
      cell.Color = row < rows ? colours[0] : colours[static_cast<std::size_t>(column <= 2 ? 1 : 1 + column % 2)];
    }
    if (!cell.Occupied) cell.Color = 0x00FFFFFF;
    game.cells.push_back(cell);
    if (cell.Occupied) ++game.stonesLeft;
  }
  return game;
}

std::optional<std::string> Utf8Property(Display* display, Window window, const char* name) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom property = XInternAtom(display, name, False);
  if (XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &type, &format, &count, &after,
                         &data) != Success ||
      !data)
    return std::nullopt;
  std::string text(reinterpret_cast<char*>(data), count);
  XFree(data);
  return text;
}

long PidOf(Display* display, Window window) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom property = XInternAtom(display, "_NET_WM_PID", False);
  if (XGetWindowProperty(display, window, property, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) !=
          Success ||
      !data)
    return -1;
  const long pid = count == 1 ? static_cast<long>(*reinterpret_cast<unsigned long*>(data)) : -1;
  XFree(data);
  return pid;
}

// The game's main window: shown, of this process, its title the game's name.
Window FindMainWindow(Display* display, pid_t pid) {
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  Window found = 0;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return 0;
  for (unsigned int i = 0; i < count && !found; ++i) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable) continue;
    if (PidOf(display, children[i]) != pid) continue;
    const auto title = Utf8Property(display, children[i], "_NET_WM_NAME");
    if (title && title->rfind("Pebbledrome!", 0) == 0) found = children[i];
  }
  if (children) XFree(children);
  return found;
}

void Click(Display* display, Window window, int x, int y) {
  int screenX = 0, screenY = 0;
  Window child = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &screenX, &screenY, &child);
  XTestFakeMotionEvent(display, DefaultScreen(display), screenX, screenY, CurrentTime);
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  XFlush(display);
}

// What a window manager sends when the player clicks the close box.
void SendDeleteWindow(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}

// The child's wait status once it has ended, or none within the time.
std::optional<int> WaitForExit(pid_t pid, std::chrono::milliseconds within) {
  const auto until = std::chrono::steady_clock::now() + within;
  do {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return status;
    std::this_thread::sleep_for(20ms);
  } while (std::chrono::steady_clock::now() < until);
  return std::nullopt;
}

bool Run(const char* game, const Scenario& scenario, Display* display) {
  const std::filesystem::path home = MakeHome();
  if (home.empty()) return Fail("no temporary folder"), false;
  WriteSettings();
  const std::filesystem::path deal = home / "deal.clk";
  if (!pebble::WriteGameFile(deal, Deal(scenario.autoDrop)).saved) return Fail("cannot write the deal"), false;

  const pid_t pid = fork();
  if (pid == 0) {
    execl(game, game, deal.c_str(), "sounds:no", static_cast<char*>(nullptr));
    _exit(127);
  }
  bool passed = false;
  Window window = 0;
  for (int tries = 0; tries < 600 && !window; ++tries) {
    std::this_thread::sleep_for(50ms);
    window = FindMainWindow(display, pid);
  }
  if (!window) {
    Fail(std::string(scenario.name) + ": the game's window never showed");
  } else {
    std::this_thread::sleep_for(800ms);  // the first paint, the clock and the first ramp stones
    for (auto [x, y] : scenario.clicks) {
      Click(display, window, x, y);
      std::this_thread::sleep_for(120ms);
    }
    SendDeleteWindow(display, window);
    const bool waited = !WaitForExit(pid, 300ms);
    const std::optional<int> status = WaitForExit(pid, 60s);
    if (!waited) {
      Fail(std::string(scenario.name) + ": the game left before its move had settled");
    } else if (!status) {
      Fail(std::string(scenario.name) + ": the game did not leave after the close");
    } else if (!WIFEXITED(*status) || WEXITSTATUS(*status) != 0) {
      Fail(std::string(scenario.name) + ": the game ended with status " + std::to_string(*status));
    } else {
      passed = true;
    }
  }
  if (!WaitForExit(pid, 0ms)) {
    kill(pid, SIGKILL);
    WaitForExit(pid, 5s);
  }
  std::error_code ignored;
  std::filesystem::remove_all(home, ignored);
  return passed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: close_mid_move_probe GAME\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) return Fail("no X display"), 2;
  const GameSettings defaults;
  const int w = defaults.stoneWidth, h = defaults.stoneHeight;
  // Points a stone coming in at either end covers for four ticks of five.
  const int rampLeft = 3 * w / 4, rampRight = defaults.columnCount * w - 3 * w / 4, rampY = kToolBar + h / 2;
  std::vector<std::pair<int, int>> rampEnds;
  for (int round = 0; round < 4; ++round) rampEnds.insert(rampEnds.end(), {{rampLeft, rampY}, {rampRight, rampY}});
  const Scenario scenarios[] = {
      {"click", false, {{5 * w / 2, kToolBar + 5 * h}}},
      // Both ends of the ramp, a few times: the first stone under a click drops.
      {"drop", true, rampEnds},
  };
  int failures = 0;
  for (const Scenario& scenario : scenarios) failures += Run(argv[1], scenario, display) ? 0 : 1;
  XCloseDisplay(display);
  return failures == 0 ? 0 : 1;
}
