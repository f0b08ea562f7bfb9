#pragma once

#include "data/SetupValues.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace purslet {

class IniStore;

enum class SettingType { Single, Int16, Int32, Boolean, Text };

// One key of Setup.ini. defaultText is empty where the default is computed
// from window sizes at the moment of reading.
struct SettingKey
{
    QString section;
    QString key;
    SettingType type;
    QString defaultText;
};

// Every key in the order shut-down writes them. FileHistory stands for the
// numbered keys "1", "2", ...; frmMatter belongs to the matter editor and is
// not written at shut-down.
const std::vector<SettingKey> &SettingsTable();
// The month shown ("2026/12"), written after the table's keys and only when
// a month is shown.
inline const QString kPeriodSection = QStringLiteral("frmMain");
inline const QString kPeriodKey = QStringLiteral("Period");
const SettingKey *FindSetting(const QString &section, const QString &key);

// Removes Setup.ini and writes every key of the table (but frmMatter) in
// table order, each value from valueOf(section, key), then the recent files.
// Returns false when removing or writing failed; the rebuild stops there.
bool RewriteSettings(IniStore &ini, const std::function<QString(const QString &, const QString &)> &valueOf,
                     const QStringList &history);

} // namespace purslet
