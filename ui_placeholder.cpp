// The ui library needs one source of its own until the first window lands.
namespace pebble::ui { int placeholder() { return 0; } }
