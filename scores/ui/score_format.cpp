#include "scores/ui/score_format.h"

#include <QDateTime>
#include <QLayout>
#include <QLocale>
#include <QRegularExpression>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "config/string_table.h"

namespace pebble::ui {
namespace {

constexpr qint64 kMsPerDay = 24LL * 60 * 60 * 1000;
// About 8000 years either way: anything beyond is a damaged value.
constexpr double kMaxDays = 3'000'000.0;

// The desktop's long time without the time zone, which a saved date does not
// carry.
QString LongTimeFormat(const QLocale& locale) {
  QString format = locale.timeFormat(QLocale::LongFormat);
  static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b"));
  format.remove(zone);
  return format.trimmed();
}

}  // namespace

QString ScoreText(int baseId, int languageOffset) {
  return QString::fromStdString(Text(baseId, languageOffset));
}

QString GeneralNumber(double value) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(value, 'g', 15);
}

QString DateTimeText(double days) {
  if (!std::isfinite(days) || std::fabs(days) > kMaxDays) return {};
  const auto ms = static_cast<qint64>(std::llround(days * static_cast<double>(kMsPerDay)));
  const qint64 wholeDays = ms >= 0 ? ms / kMsPerDay : -((-ms + kMsPerDay - 1) / kMsPerDay);
  const qint64 msOfDay = ms - wholeDays * kMsPerDay;
  const QDate date = QDate(1899, 12, 30).addDays(wholeDays);
  const QTime time = QTime::fromMSecsSinceStartOfDay(static_cast<int>(msOfDay));
  const QLocale locale;
  return locale.toString(date, QLocale::ShortFormat) + QLatin1Char(' ') + locale.toString(time, LongTimeFormat(locale));
}

QString NoBrowserMessage(const QString& leadIn, const QString& address) {
  const bool quoted = leadIn.endsWith(QLatin1Char('"'));
  return leadIn + address + (quoted ? QStringLiteral("\".") : QStringLiteral("."));
}

void FixDialogSize(QWidget& dialog, int minimumWidth, int minimumHeight) {
  QLayout* layout = dialog.layout();
  if (!layout) return;
  layout->activate();
  const int width = std::max(minimumWidth, layout->sizeHint().width());
  const int needed = layout->hasHeightForWidth() ? layout->heightForWidth(width) : layout->sizeHint().height();
  dialog.setFixedSize(width, std::max(minimumHeight, needed));
}

}  // namespace pebble::ui
