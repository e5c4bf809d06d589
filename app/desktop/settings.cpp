#include "app/desktop/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>
#include <optional>

namespace floemark::app {
namespace {

// The settings file's names of the handheld's six keys, in kKeys' order, and of a side's three.
constexpr const char* kKeyNames[kKeyCount] = {"penguin-attack", "penguin-left", "penguin-right",
                                              "seal-attack",    "seal-left",    "seal-right"};
constexpr const char* kPlaceNames[3] = {"attack", "left", "right"};
constexpr const char* kSideNames[2] = {"penguin", "seal"};

QString SizeName(int size) { return size == 0 ? QStringLiteral("fit") : QString::number(size); }

std::optional<int> SizeNamed(const QString& name) {
  if (name == QLatin1String("fit")) return 0;
  if (name == QLatin1String("1") || name == QLatin1String("2") || name == QLatin1String("3"))
    return name.toInt();
  return std::nullopt;
}

std::optional<bool> BoolNamed(const QString& name) {
  if (name == QLatin1String("true")) return true;
  if (name == QLatin1String("false")) return false;
  return std::nullopt;
}

// The settings in the file, or what is wrong with it.
std::optional<Settings> Read(const QString& path, QString* problem) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *problem = file.errorString();
    return std::nullopt;
  }
  file.close();
  QSettings ini(path, QSettings::IniFormat);
  if (ini.status() != QSettings::NoError) {
    *problem = QStringLiteral("not a settings file");
    return std::nullopt;
  }
  Settings s;
  auto bad = [problem](const QString& key, const QString& value) {
    *problem = QStringLiteral("%1 cannot be \"%2\"").arg(key, value);
    return std::nullopt;
  };
  for (const QString& key : ini.allKeys()) {
    const QString value = ini.value(key).toString();
    if (key == QLatin1String("window/size")) {
      const auto size = SizeNamed(value);
      if (!size) return bad(key, value);
      s.size = *size;
      continue;
    }
    if (key == QLatin1String("window/pause-in-background")) {
      const auto b = BoolNamed(value);
      if (!b) return bad(key, value);
      s.pauseInBackground = *b;
      continue;
    }
    bool known = false;
    for (int i = 0; i < kKeyCount && !known; ++i) {
      if (key != QStringLiteral("keys/") + QLatin1String(kKeyNames[i])) continue;
      bool number = false;
      const uint code = value.toUInt(&number);
      if (!number || code == 0 || code > 255) return bad(key, value);
      s.keys.keys[std::size_t(i)] = static_cast<std::uint16_t>(code);
      known = true;
    }
    for (int side = 0; side < 2 && !known; ++side) {
      for (int place = 0; place < 3 && !known; ++place) {
        if (key != QStringLiteral("pad/%1-%2")
                       .arg(QLatin1String(kSideNames[side]), QLatin1String(kPlaceNames[place])))
          continue;
        const auto button = PadButtonNamed(value.toStdString());
        if (!button) return bad(key, value);
        s.keys.pad[std::size_t(side)][std::size_t(place)] = *button;
        known = true;
      }
    }
    if (!known) {
      *problem = QStringLiteral("unknown setting %1").arg(key);
      return std::nullopt;
    }
  }
  if (const std::string keys = s.keys.Problem(); !keys.empty()) {
    *problem = QStringLiteral("the keys: ") + QString::fromStdString(keys);
    return std::nullopt;
  }
  return s;
}

}  // namespace

QString SettingsPath() {
  // Qt's own answer follows XDG_CONFIG_HOME and falls back on ~/.config.
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
      .filePath(QStringLiteral("floemark/floemark.conf"));
}

QString PicturesFolder() {
  const QString named = qEnvironmentVariable("XDG_PICTURES_DIR");
  if (!named.isEmpty()) return named;
  // Qt reads the desktop's user-dirs.dirs and falls back on ~/Pictures itself.
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  return folder.isEmpty() ? QDir::home().filePath(QStringLiteral("Pictures")) : folder;
}

QString ScreenshotPath(const QString& folder, const QDateTime& when) {
  const QString stem =
      QStringLiteral("floemark-") + when.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
  QString path = QDir(folder).filePath(stem + QStringLiteral(".png"));
  for (int n = 2; QFileInfo::exists(path); ++n)
    path = QDir(folder).filePath(stem + QStringLiteral("-%1.png").arg(n));
  return path;
}

SettingsStore::SettingsStore(QString path, std::function<void(const QString&)> warn)
    : path_(std::move(path)) {
  if (!QFileInfo::exists(path_)) return;
  QString problem;
  if (const auto read = Read(path_, &problem)) {
    current_ = *read;
    return;
  }
  const QString aside = path_ + QStringLiteral(".damaged");
  QFile::remove(aside);
  const bool moved = QFile::rename(path_, aside);
  const QString line =
      moved ? QStringLiteral(
                  "floemark: the settings %1 (%2) are set aside as %3; the defaults "
                  "are used\n")
                  .arg(path_, problem, aside)
            : QStringLiteral("floemark: the settings %1 (%2) are not used; the defaults are\n")
                  .arg(path_, problem);
  if (warn)
    warn(line);
  else
    std::fputs(qPrintable(line), stderr);
}

bool SettingsStore::Change(const Settings& changed, QString* error) {
  if (changed == current_) return true;
  current_ = changed;
  QDir().mkpath(QFileInfo(path_).absolutePath());
  QSettings ini(path_, QSettings::IniFormat);
  ini.clear();
  ini.setValue(QStringLiteral("window/size"), SizeName(current_.size));
  ini.setValue(QStringLiteral("window/pause-in-background"),
               current_.pauseInBackground ? QStringLiteral("true") : QStringLiteral("false"));
  for (int i = 0; i < kKeyCount; ++i)
    ini.setValue(QStringLiteral("keys/") + QLatin1String(kKeyNames[i]),
                 current_.keys.keys[std::size_t(i)]);
  for (int side = 0; side < 2; ++side)
    for (int place = 0; place < 3; ++place)
      ini.setValue(
          QStringLiteral("pad/%1-%2")
              .arg(QLatin1String(kSideNames[side]), QLatin1String(kPlaceNames[place])),
          QLatin1String(PadButtonName(current_.keys.pad[std::size_t(side)][std::size_t(place)])));
  ini.sync();
  if (ini.status() == QSettings::NoError) return true;
  if (error) *error = QStringLiteral("cannot write the settings %1").arg(path_);
  return false;
}

}  // namespace floemark::app
