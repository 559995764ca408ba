// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class AppSettings;
class KeyValueStore;
class QTranslator;

// The language the interface is in: the chosen one's translation installed in the application,
// installed anew whenever the choice changes, over the start-up language's, which answers for
// any text the chosen one lacks. Under "system" the start-up language alone. English is the
// source text; its table holds only the plural forms.
class InterfaceLanguage : public QObject {
    Q_OBJECT
  public:
    // settings: whose preferredLanguage is followed; none: the start-up language for good.
    // Made before anything that rebuilds on AppSettings::preferredLanguageChanged, so that the
    // new translation is in place when they look their texts up. fallbackLanguage: the
    // language chosen at start-up (startupFallback or match). folder: where the
    // "quillstack_<code>.qm" translations are.
    InterfaceLanguage(const AppSettings* settings, QString fallbackLanguage,
                      QString folder = QStringLiteral(":/translations"));
    ~InterfaceLanguage() override;

    // The language the texts are in now: the chosen one, or under "system" the start-up one.
    QString current() const;

    // Our language code for the first of these that we have a translation for ("en" when none).
    static QString match(const QStringList& uiLanguages);
    // The start-up language for this run: from the language list the previous run stored, else
    // from the system's UI languages. Must be read before AppSettings rewrites that list.
    static QString startupFallback(const KeyValueStore& store);

  private:
    void install();
    std::unique_ptr<QTranslator> load(const QString& code) const;

    const AppSettings* m_settings;
    QString m_fallback;
    QString m_folder;
    std::unique_ptr<QTranslator> m_fallbackTranslation;
    std::unique_ptr<QTranslator> m_chosenTranslation;
};
