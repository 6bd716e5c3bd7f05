#pragma once
// Counts a piece of work as running for as long as the guard lives; nested
// work counts again, so "running" ends with the outermost guard.

namespace pebble {

class DepthGuard {
 public:
  explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  int& depth_;
};

}  // namespace pebble
