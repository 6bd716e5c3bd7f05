// How quickly a window answers, asked from outside the way a desktop asks
// before it calls a window "not responding": a _NET_WM_PING sent to the
// window, answered by the program's window thread with a pong to the root
// window. Pings go one after the other for the given seconds; the program
// prints each round trip that took longer than 50 ms and, at the end, the
// count, the median, the 99th percentile and the longest.
//
//   pebble_window_ping <window id> <seconds>
//
// A ping not answered within 30 s counts as 30 s. Needs no window manager.

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kGiveUp = std::chrono::seconds(30);
constexpr auto kBetweenPings = std::chrono::milliseconds(10);

xcb_atom_t Atom(xcb_connection_t* x, const char* name) {
  const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(x, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(xcb_intern_atom_reply(x, cookie, nullptr), &std::free);
  return reply ? reply->atom : XCB_ATOM_NONE;
}

struct Pinger {
  xcb_connection_t* x;
  xcb_window_t window;
  xcb_atom_t protocols, ping;

  void Send(std::uint32_t stamp) const {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = protocols;
    message.data.data32[0] = ping;
    message.data.data32[1] = stamp;
    message.data.data32[2] = window;
    xcb_send_event(x, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(x);
  }

  // Whether the pong for `stamp` came back before `until`.
  bool AwaitPong(std::uint32_t stamp, Clock::time_point until) const {
    while (Clock::now() < until) {
      std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(xcb_poll_for_event(x), &std::free);
      if (!event) {
        if (xcb_connection_has_error(x)) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        continue;
      }
      if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE) continue;
      const auto* pong = reinterpret_cast<const xcb_client_message_event_t*>(event.get());
      if (pong->type == protocols && pong->data.data32[0] == ping && pong->data.data32[1] == stamp) return true;
    }
    return false;
  }
};

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <window id> <seconds>\n", argv[0]);
    return 2;
  }
  const auto window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
  const auto seconds = std::chrono::duration<double>(std::strtod(argv[2], nullptr));
  xcb_connection_t* x = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(x) || window == 0 || seconds.count() <= 0) {
    std::fprintf(stderr, "no X display, or no window or time given\n");
    return 2;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
  // The pong goes to the root window, for whoever watches its structure.
  const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
  const Pinger pinger{x, window, Atom(x, "WM_PROTOCOLS"), Atom(x, "_NET_WM_PING")};

  std::vector<double> trips;
  const Clock::time_point start = Clock::now(), end = start + std::chrono::duration_cast<Clock::duration>(seconds);
  for (std::uint32_t stamp = 1; Clock::now() < end; ++stamp) {
    const Clock::time_point sent = Clock::now();
    pinger.Send(stamp);
    const bool answered = pinger.AwaitPong(stamp, sent + kGiveUp);
    const double trip = answered ? Milliseconds(Clock::now() - sent) : Milliseconds(kGiveUp);
    trips.push_back(trip);
    if (trip > 50) std::printf("at %6.2f s: answered after %.0f ms\n", Milliseconds(sent - start) / 1000, trip);
    std::this_thread::sleep_for(kBetweenPings);
  }
  xcb_disconnect(x);
  std::sort(trips.begin(), trips.end());
  const auto at = [&trips](double share) { return trips[static_cast<std::size_t>(share * double(trips.size() - 1))]; };
  std::printf("pings %zu  median %.1f ms  99th percentile %.1f ms  longest %.1f ms\n", trips.size(), at(0.5), at(0.99),
              trips.back());
  return 0;
}
