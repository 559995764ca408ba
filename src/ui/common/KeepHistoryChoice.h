// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class AppSettings;
class QCheckBox;
class QWidget;

// The "Keep history after restart" choice, offered by the settings and the guide's last page:
// the box follows the setting wherever it is changed.
namespace KeepHistoryChoice {
QCheckBox* toggle(AppSettings& settings, QWidget* parent);
// Where the history is kept, and what turning it off does, in the interface language.
QString place();
}  // namespace KeepHistoryChoice
