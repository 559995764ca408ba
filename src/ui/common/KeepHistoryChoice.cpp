// SPDX-License-Identifier: MIT
#include "ui/common/KeepHistoryChoice.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QSignalBlocker>

#include "history/HistoryStore.h"
#include "settings/AppSettings.h"
#include "ui/common/ProblemNotices.h"

namespace KeepHistoryChoice {

QCheckBox* toggle(AppSettings& settings, QWidget* parent) {
    auto* box = new QCheckBox(
        QCoreApplication::translate("KeepHistoryChoice", "Keep history after restart"), parent);
    box->setObjectName(QStringLiteral("keepHistory"));
    box->setChecked(settings.keepHistory());
    QObject::connect(box, &QCheckBox::toggled, &settings,
                     [&settings](bool keep) { settings.setKeepHistory(keep); });
    QObject::connect(&settings, &AppSettings::keepHistoryAssigned, box, [&settings, box] {
        const QSignalBlocker quiet(box);
        box->setChecked(settings.keepHistory());
    });
    return box;
}

QString place() {
    return QCoreApplication::translate(
               "KeepHistoryChoice",
               "Kept in %1. Turning this off deletes it; pins are kept either way.")
        .arg(ProblemNotices::shownPath(HistoryStore::defaultFolder() + u'/' +
                                       HistoryStore::fileName));
}

}  // namespace KeepHistoryChoice
