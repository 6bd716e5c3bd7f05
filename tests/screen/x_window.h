#pragma once
// What the X server holds about a window, read the way a task bar or a window
// manager reads it: with xprop, xwininfo and xdotool, never from the widget.

#include <QProcess>
#include <QRegularExpression>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace pebble::testing {

using XWindowId = quint64;

// The standard output of a tool; empty when it fails (a window that is gone).
inline QString RunTool(const QString& program, const QStringList& arguments) {
  QProcess tool;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("LC_ALL", "C.UTF-8");  // titles come back as UTF-8, not escaped
  tool.setProcessEnvironment(environment);
  tool.start(program, arguments);
  if (!tool.waitForFinished(10000) || tool.exitCode() != 0) return {};
  return QString::fromUtf8(tool.readAllStandardOutput());
}

inline QString Hex(XWindowId window) { return "0x" + QString::number(window, 16); }

// The title a task bar shows: _NET_WM_NAME, exactly as stored.
inline QString WindowName(XWindowId window) {
  const QString out = RunTool("xprop", {"-id", Hex(window), "-notype", "_NET_WM_NAME"}).trimmed();
  const qsizetype open = out.indexOf('"');
  if (open < 0 || !out.endsWith('"')) return {};
  QString name = out.mid(open + 1, out.size() - open - 2);
  name.replace("\\\"", "\"").replace("\\\\", "\\");
  return name;
}

// A property as xprop prints it after "NAME =" (a string in quotes, a list,
// an icon drawn in characters); empty when the window does not have it.
inline QString PropertyText(XWindowId window, const QString& name) {
  const QString out = RunTool("xprop", {"-id", Hex(window), "-notype", name}).trimmed();
  return out.startsWith(name + " =") ? out.mid(name.size() + 2).trimmed() : QString();
}

// The icon for the task bar (_NET_WM_ICON) as a list of numbers: each size's
// width and height, then its pixels.
inline QString IconPixels(XWindowId window) {
  const QString out = RunTool("xprop", {"-id", Hex(window), "-notype", "-f", "_NET_WM_ICON", "32c", "_NET_WM_ICON"});
  return out.startsWith("_NET_WM_ICON = ") ? out.mid(15).trimmed() : QString();
}

// Whether the window carries an icon for the task bar (_NET_WM_ICON).
inline bool HasIcon(XWindowId window) {
  return RunTool("xprop", {"-id", Hex(window), "-notype", "_NET_WM_ICON"}).startsWith("_NET_WM_ICON =");
}

// "IsViewable", "IsUnMapped" or "IsUnviewable", as xwininfo reports it.
inline QString MapState(XWindowId window) {
  const QString out = RunTool("xwininfo", {"-id", Hex(window)});
  const QRegularExpressionMatch match = QRegularExpression("Map State: (\\w+)").match(out);
  return match.hasMatch() ? match.captured(1) : QString();
}

inline bool IsOnScreen(XWindowId window) { return MapState(window) == "IsViewable"; }

// "Normal" or "Iconic" as the window manager keeps it in WM_STATE; empty when unmanaged.
inline QString WmState(XWindowId window) {
  const QString out = RunTool("xprop", {"-id", Hex(window), "WM_STATE"});
  const QRegularExpressionMatch match = QRegularExpression("window state: (\\w+)").match(out);
  return match.hasMatch() ? match.captured(1) : QString();
}

// The size of the window's own area, inside any frame of the window manager.
inline QSize ClientSize(XWindowId window) {
  const QString out = RunTool("xwininfo", {"-id", Hex(window)});
  const QRegularExpressionMatch width = QRegularExpression("Width: (\\d+)").match(out);
  const QRegularExpressionMatch height = QRegularExpression("Height: (\\d+)").match(out);
  if (!width.hasMatch() || !height.hasMatch()) return {};
  return {width.captured(1).toInt(), height.captured(1).toInt()};
}

// The windows of a process that are on screen now.
inline QList<XWindowId> VisibleWindowsOf(qint64 pid) {
  QList<XWindowId> windows;
  const QString out = RunTool("xdotool", {"search", "--onlyvisible", "--pid", QString::number(pid)});
  for (const QString& line : out.split('\n', Qt::SkipEmptyParts)) windows << line.trimmed().toULongLong();
  return windows;
}

// The title of every window of a process that is on screen now, sorted.
inline QStringList VisibleTitlesOf(qint64 pid) {
  QStringList titles;
  for (XWindowId window : VisibleWindowsOf(pid)) titles << WindowName(window);
  titles.sort();
  return titles;
}

// Makes the window the active one, as a click on its task bar button does
// (a minimised window comes back), and waits until it is.
inline void Activate(XWindowId window) { RunTool("xdotool", {"windowactivate", "--sync", QString::number(window)}); }

// Types keys into the active window through the X server's keyboard.
inline void PressKeys(XWindowId window, const QStringList& keys) {
  Activate(window);
  RunTool("xdotool", QStringList{"key", "--clearmodifiers"} + keys);
}

}  // namespace pebble::testing
